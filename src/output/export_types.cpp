#include "output/export_types.h"

#include "output/vector_files.h"
#include "texts/output_texts.h"

#include <QFileInfo>
#include <QString>

#include <algorithm>
#include <cctype>

namespace vlm {

namespace {

std::vector<ExportType> makeTypes()
{
    std::vector<ExportType> types;
    types.push_back({texts::kExportTypePng, {"png"}, ExportFormat::Png, 3, {}});
    types.push_back({texts::kExportTypeJpeg, {"jpg", "jpeg"}, ExportFormat::Jpeg, 1, {}});
    types.push_back({texts::kExportTypeBmp, {"bmp"}, ExportFormat::Bmp, 2, {}});
    types.push_back({texts::kExportTypeIco, {"ico"}, ExportFormat::Ico, 4, {}});
    // The vector sheet: text as text, pictures and shadows as lossless images.
    const auto vectorWriter = [](VectorFormat format) {
        return [format](Document& document, const std::string& selection, const SheetEnvironment& env,
                        const std::string& fileName, std::string& error) {
            const QString title = QFileInfo(QString::fromStdString(fileName)).completeBaseName();
            return writeVectorSheet(document, selection, env, fileName, format, title, error);
        };
    };
    types.push_back({texts::kExportTypePdf, {"pdf"}, ExportFormat::Png, 0, vectorWriter(VectorFormat::Pdf)});
    types.push_back({texts::kExportTypeSvg, {"svg"}, ExportFormat::Png, 0, vectorWriter(VectorFormat::Svg)});
    return types;
}

std::string Lower(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

} // namespace

const std::vector<ExportType>& exportTypes()
{
    static const std::vector<ExportType> types = makeTypes();
    return types;
}

int exportTypeOfName(const std::string& fileName)
{
    const std::size_t dot = fileName.find_last_of('.');
    const std::size_t slash = fileName.find_last_of("/\\");
    if (dot == std::string::npos || (slash != std::string::npos && slash > dot))
        return -1;
    const std::string ext = Lower(fileName.substr(dot + 1));
    const std::vector<ExportType>& types = exportTypes();
    for (std::size_t i = 0; i < types.size(); ++i)
        if (std::find(types[i].extensions.begin(), types[i].extensions.end(), ext) != types[i].extensions.end())
            return static_cast<int>(i);
    return -1;
}

int exportTypeForRemembered(int remembered)
{
    const std::vector<ExportType>& types = exportTypes();
    for (std::size_t i = 0; i < types.size(); ++i)
        if (types[i].remembered != 0 && types[i].remembered == remembered)
            return static_cast<int>(i);
    return 0;
}

std::u16string exportTypesFilter()
{
    std::u16string filter;
    for (const ExportType& t : exportTypes()) {
        if (!filter.empty())
            filter += u'|';
        filter += t.name;
        filter += u'|';
        for (std::size_t i = 0; i < t.extensions.size(); ++i) {
            if (i > 0)
                filter += u';';
            filter += u"*.";
            for (char c : t.extensions[i])
                filter += static_cast<char16_t>(c);
        }
    }
    return filter;
}

} // namespace vlm
