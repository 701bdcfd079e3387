#include "settings/settings.h"
#include "shell/commands/button_pictures.h"
#include "shell/dialogs/picture_dialog.h"
#include "shell/panels/tool_panels.h"

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QSet>
#include <QToolButton>

#include <gtest/gtest.h>

namespace vlm::test {
namespace {

// Counts the pixels that are not fully transparent.
int Covered(const QImage& image)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += qAlpha(image.pixel(x, y)) > 0 ? 1 : 0;
    return n;
}

TEST(ButtonPictures, EveryDrawingRendersAtOneAndTwoTimes)
{
    const QStringList names = ButtonPictureNames();
    ASSERT_GE(names.size(), 35);
    for (const QString& name : names) {
        const QImage one = RenderButtonPicture(name, 24, 1.0);
        const QImage two = RenderButtonPicture(name, 24, 2.0);
        ASSERT_EQ(one.size(), QSize(24, 24)) << name.toStdString();
        ASSERT_EQ(two.size(), QSize(48, 48)) << name.toStdString();
        EXPECT_EQ(two.devicePixelRatio(), 2.0);
        const int a = Covered(one);
        const int b = Covered(two);
        // A drawing, not a blank or a filled square.
        EXPECT_GT(a, 24 * 24 / 20) << name.toStdString();
        EXPECT_LT(a, 24 * 24) << name.toStdString();
        // Drawn afresh at the double size: about four times the pixels.
        EXPECT_GT(b, a * 3) << name.toStdString();
        EXPECT_LT(b, a * 5) << name.toStdString();
    }
    EXPECT_TRUE(RenderButtonPicture(QStringLiteral("no-such-drawing"), 24, 1.0).isNull());
    EXPECT_TRUE(ButtonPicture(QStringLiteral("no-such-drawing")).isNull());
}

TEST(ButtonPictures, TheGreyedFormHasNoColourAndIsFainter)
{
    for (const QString& name : ButtonPictureNames()) {
        const QImage normal = RenderButtonPicture(name, 24, 1.0);
        const QImage greyed = RenderButtonPicture(name, 24, 1.0, true);
        ASSERT_EQ(greyed.size(), normal.size());
        int normalAlpha = 0;
        int greyedAlpha = 0;
        for (int y = 0; y < 24; ++y)
            for (int x = 0; x < 24; ++x) {
                const QColor g = greyed.pixelColor(x, y);
                const QColor n = normal.pixelColor(x, y);
                EXPECT_EQ(g.alpha() > 0, n.alpha() > 0) << name.toStdString() << " keeps its shape";
                normalAlpha += n.alpha();
                greyedAlpha += g.alpha();
                EXPECT_LE(g.alpha(), n.alpha()) << name.toStdString();
                if (g.alpha() >= 32) // edge pixels round their few levels
                    EXPECT_LE(std::abs(g.red() - g.green()) + std::abs(g.green() - g.blue()), 4)
                        << name.toStdString();
            }
        EXPECT_GT(greyedAlpha, 0) << name.toStdString();
        EXPECT_LT(greyedAlpha, normalAlpha * 4 / 5) << name.toStdString();
    }
}

TEST(ButtonPictures, EveryButtonAndRowHasADrawingAndEveryDrawingIsUsed)
{
    QSet<QString> used;
    for (int number = 1; number <= 36; ++number) {
        const QString name = PictureNameOfButton(number);
        EXPECT_FALSE(ToolbarPicture(number).isNull()) << number;
        EXPECT_FALSE(used.contains(name)) << "button " << number << " shares " << name.toStdString();
        used.insert(name);
    }
    for (const InsertRow& row : InsertRows()) {
        const QString name = PictureNameOfPanel(row.panelCode);
        EXPECT_FALSE(ButtonPicture(name).isNull()) << row.panelCode;
        EXPECT_TRUE(used.contains(name)) << "a row shows its button's picture: " << row.panelCode;
    }
    // The picture dialog's own tools.
    for (const char* name : {"clip-rect", "clip-round", "mirror", "flip", "turn-right", "turn-left"})
        used.insert(QString::fromLatin1(name));
    // The left column's Back and forward buttons.
    for (const char* name : {"back", "forward"})
        used.insert(QString::fromLatin1(name));
    const QStringList all = ButtonPictureNames();
    EXPECT_EQ(QSet<QString>(all.begin(), all.end()), used);
}

TEST(ButtonPictures, IconsAreDrawnForTheRatioTheyAreShownAt)
{
    const QIcon icon = ToolbarPicture(32);
    for (const qreal ratio : {1.0, 1.5, 2.0}) {
        const QPixmap pm = icon.pixmap(QSize(18, 18), ratio);
        EXPECT_EQ(pm.deviceIndependentSize(), QSizeF(18, 18)) << ratio;
        EXPECT_EQ(pm.size(), QSize(qRound(18 * ratio), qRound(18 * ratio))) << ratio;
        EXPECT_EQ(pm.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied),
                  RenderButtonPicture(QStringLiteral("star"), 18, ratio)
                      .convertToFormat(QImage::Format_ARGB32_Premultiplied))
            << ratio;
    }
    // Disabled buttons get the greyed form.
    const QImage greyed = icon.pixmap(QSize(18, 18), 2.0, QIcon::Disabled).toImage();
    EXPECT_EQ(greyed.convertToFormat(QImage::Format_ARGB32_Premultiplied),
              RenderButtonPicture(QStringLiteral("star"), 18, 2.0, true)
                  .convertToFormat(QImage::Format_ARGB32_Premultiplied));
}

TEST(ButtonPictures, ThePictureDialogsToolsShowPictures)
{
    Settings settings;
    PictureDialog dialog(settings, PictureInsert::NewPicture, {}, {});
    using B = PictureDialog::Button;
    for (B b : {B::Pointer, B::Rect, B::Round, B::Erase, B::Mirror, B::Flip, B::TurnClockwise,
                B::TurnCounterClockwise, B::Undo, B::Redo, B::ZoomOut, B::ZoomIn}) {
        QToolButton* button = dialog.button(b);
        ASSERT_FALSE(button->icon().isNull()) << button->toolTip().toStdString();
        EXPECT_FALSE(button->accessibleName().isEmpty());
    }
}

} // namespace
} // namespace vlm::test
