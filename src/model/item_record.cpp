#include "model/item_record.h"
