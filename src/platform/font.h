#pragma once

// Fonts as documents describe them: a face name, a size in points, a weight on
// the 100..900 scale, style flags, a character set and an escapement. Made at
// a given resolution, a Font answers the cell metrics the renderers lay text
// out with. Faces that are not installed resolve through the system's
// substitution ("Arial" becomes Liberation Sans when fonts-liberation2 is
// there), so the same document measures the same on every machine that has
// the same fonts.

#include <QFont>
#include <QHash>
#include <QString>
#include <QStringList>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <unordered_map>

namespace vlm {

struct FontRequest
{
    QString faceName;
    int sizePoints = 12;
    int weight = 400; // 0 means "don't care", drawn as 400
    bool italic = false;
    bool underline = false;
    bool strikeout = false;
    int charset = 0;    // a character-set number; only values above 0 steer the choice of face
    int escapement = 0; // tenths of a degree, counter-clockwise
    int quality = 2;    // 4 and 5 ask for smoothed glyphs, everything else draws them aliased

    bool operator==(const FontRequest&) const = default;
};

class Font
{
public:
    // The largest glyph cell we agree to rasterize; a size beyond this comes
    // only from a damaged record and would cost memory for nothing.
    static constexpr int kMaxPixelSize = 16384;

    // A font for `request` at `dpi` pixels per inch, or nothing when none can be
    // made (a size that rounds to no pixel or beyond the limit, no fonts
    // installed at all). The caller then draws nothing for that text.
    static std::optional<Font> make(const FontRequest& request, int dpi);

    int pixelSize() const { return pixelSize_; }
    int ascent() const { return ascent_; }
    int descent() const { return descent_; }
    int externalLeading() const { return leading_; }
    int averageCharWidth() const { return averageWidth_; }
    // How far synthesized styles spill past a glyph's advance; outline fonts
    // report none, as their italic and bold faces carry their own widths.
    int overhang() const { return overhang_; }
    int escapement() const { return escapement_; }
    // The face the system actually uses for the requested name.
    const QString& family() const { return family_; }

    // The advance of `text`. Widths once measured are remembered (shared by
    // every copy of this font), as the same labels are measured repaint
    // after repaint.
    int textWidth(const QString& text) const;

    const QFont& qfont() const { return font_; }

private:
    Font() = default;

    QFont font_;
    QString family_;
    int pixelSize_ = 0;
    int ascent_ = 0;
    int descent_ = 0;
    int leading_ = 0;
    int averageWidth_ = 0;
    int overhang_ = 0;
    int escapement_ = 0;
    std::shared_ptr<QHash<QString, int>> widths_;
};

// The installed font families by their plain names, sorted, each once,
// without the system's private faces.
QStringList InstalledFontFamilies();

// `family` without the foundry the font database adds when several make a
// family of that name ("C059 [urw]" is "C059").
QString plainFamilyName(const QString& family);

// The plain name of the face a text with `faceName` and `charset` is drawn
// with: the face itself when it is installed, else the one the system puts
// in its place. Empty when no font is installed at all.
QString drawnFamilyName(const QString& faceName, int charset = 0);

// A number that changes whenever fonts are installed or removed while the
// program runs.
std::uint64_t FontListGeneration();

// Fonts made once per request and resolution and handed out again. Making a
// font resolves its face and measures it, which costs more than drawing a
// short text with it; a window repainting many texts asks for the same few
// fonts over and over. Everything kept is dropped when the installed fonts
// change, so the cache answers exactly what Font::make would.
class FontCache
{
public:
    // Beyond this many fonts the cache starts over.
    static constexpr std::size_t kMaxFonts = 512;

    // What Font::make(request, dpi) makes (nothing when it makes none).
    std::optional<Font> get(const FontRequest& request, int dpi);
    std::size_t size() const { return fonts_.size(); }
    void clear() { fonts_.clear(); }

private:
    struct Key
    {
        FontRequest request;
        int dpi = 0;
        bool operator==(const Key&) const = default;
    };
    struct KeyHash
    {
        std::size_t operator()(const Key& key) const;
    };

    std::unordered_map<Key, std::optional<Font>, KeyHash> fonts_;
    std::uint64_t generation_ = 0;
};

} // namespace vlm
