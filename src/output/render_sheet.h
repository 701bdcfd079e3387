#pragma once

// The page renderer: every visible Item of a Document drawn onto one bitmap
// of the whole sheet at a device's resolution, then, for card designs, the
// first card copied into every selected cell of the grid. Printing, the
// preview, both exports and the command line all render through here, with
// the same per-kind renderers the screen uses.

#include "model/document.h"
#include "model/screen_metrics.h"
#include "output/sheet_layout.h"
#include "platform/bitmap.h"
#include "render/raster_effects.h"

#include <QImage>

#include <optional>
#include <string>

namespace vlm {

// What the sheet is rendered for.
enum class RenderTarget { Print, Export, Screen };

// What the renderer needs besides the document.
struct SheetEnvironment
{
    ScreenMetrics screen;
    // Clips on the sheet; without one they draw nothing.
    RasterEffects::PictureRenderer pictures;
    int fontQuality = 2;
};

// The Export and Screen devices of a header (Print devices come from the
// printer). Export renders pixel documents at twice the resolution and size.
SheetDevice ExportDevice(const HeaderFields& header, const ScreenMetrics& screen);
SheetDevice ScreenDevice(const HeaderFields& header, const ScreenMetrics& screen);

// A printer's sheet: its physical size less the unprintable offset on each side.
SheetDevice PrinterDevice(double dpiX, double dpiY, int physicalWidth, int physicalHeight, int offsetX,
                          int offsetY);

// The largest sheet bitmap the renderer makes (four bytes a pixel).
inline constexpr long long kMaxSheetPixels = 1LL << 28;

// Whether a sheet bitmap of the device's size may be made at all.
bool SheetFits(const SheetDevice& device);

// Renders the document's sheet for `device`. Null (and nothing drawn) when
// the document has no header; `tooLarge` is set when the bitmap is beyond
// kMaxSheetPixels or could not be had.
std::optional<Bitmap> renderSheet(Document& document, const SheetDevice& device, const std::string& selection,
                                  const SheetEnvironment& env, bool* tooLarge = nullptr);

// Where a printed sheet goes: a printer, or a PDF page.
class SheetSink
{
public:
    virtual ~SheetSink() = default;
    // Starts the job; false when it cannot be started.
    virtual bool begin() = 0;
    // One tile at its device position, one device pixel per bitmap pixel.
    virtual void sendTile(const QImage& tile, int x, int y) = 0;
    virtual bool end() = 0;
};

enum class PrintOutcome { Printed, NoHeader, TooLarge, JobFailed };

// Renders the sheet for the printer `device` and sends it in tiles. The job
// is started only once the sheet has been rendered, so a sheet too large for
// memory never leaves a half-started job behind.
PrintOutcome PrintSheet(Document& document, const SheetDevice& device, const std::string& selection,
                        const SheetEnvironment& env, SheetSink& sink);

} // namespace vlm
