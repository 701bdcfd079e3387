#include "shell_fixture.h"

#include "model/item.h"
#include "shell/commands/page_setup_commands.h"
#include "shell/dialogs/page_setup_dialog.h"
#include "shell/dialogs/page_setup_templates.h"
#include "shell/dialogs/save_template_dialog.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>

namespace vlm::test {
namespace {

const QString kFixtures = QStringLiteral(VLM_TEST_DATA_DIR "/templates");

struct PageSetupTemplatesTest : ShellTest
{
    PageSetupCommands* pageSetup = nullptr;

    QString userFolder() const { return dir.path() + QStringLiteral("/own-templates"); }

    MainWindow& startWithTemplates()
    {
        MainWindow& m = start();
        pageSetup = new PageSetupCommands(m, TemplateSources{kFixtures + QStringLiteral("/database"), userFolder(), true});
        m.Timer2Timer(); // the first document
        return m;
    }
    PageSetupDialog& dialog() { return *pageSetup->dialog(); }
    DimensionPanel& choose(std::int32_t type)
    {
        dialog().showDesignTypeMenu();
        dialog().menu()->button(type)->click();
        dialog().switchTimerTimeout();
        return *dialog().dimensions();
    }
    // The list row whose text starts with `start`.
    static int RowOf(const TemplatesBox& box, const char* start)
    {
        for (int i = 0; i < box.visibleCount(); ++i)
            if (box.rowText(i).startsWith(QString::fromUtf8(start)))
                return i;
        return -1;
    }
};

TEST_F(PageSetupTemplatesTest, TypingNarrowsTheListAndChoosingAppliesTheProduct)
{
    MainWindow& m = startWithTemplates();
    pageSetup->CurrentFileCommand();
    ASSERT_NE(dialog().dimensions(), nullptr);
    EXPECT_EQ(dialog().dimensions()->templatesBox(), nullptr) << "brochures are no card type";
    EXPECT_FALSE(pageSetup->templates()->loaded()) << "read only when a card type needs it";

    DimensionPanel& dim = choose(DesignLabels);
    TemplatesBox* box = dim.templatesBox();
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(pageSetup->templates()->loaded());
    EXPECT_EQ(box->searchField()->accessibleName(), QStringLiteral("Search templates"));
    EXPECT_EQ(box->list()->accessibleName(), QStringLiteral("Templates"));
    EXPECT_EQ(box->saveButton()->accessibleName(), QStringLiteral("Save as Template..."));

    dim.unitList()->setCurrentRow(2); // Inches
    dim.foldBox(DimensionCell::Kind::RowFold)->click();
    const int all = box->visibleCount();
    box->searchField()->setText(QStringLiteral("5160"));
    EXPECT_EQ(box->visibleCount(), 2) << "the product and its alias";
    box->searchField()->setText(QStringLiteral("30 per sheet"));
    EXPECT_EQ(box->visibleCount(), 2);
    box->searchField()->clear();
    EXPECT_EQ(box->visibleCount(), all);
    box->searchField()->setText(QStringLiteral("5160"));

    const int row = RowOf(*box, "Testa 5160 - Address Labels");
    ASSERT_GE(row, 0);
    box->chooseRow(row);
    EXPECT_EQ(dialog().session().designType(), DesignLabels);
    EXPECT_EQ(dim.field(TextPaperWidth)->text(), QStringLiteral("8.5"));
    EXPECT_EQ(dim.field(TextCardWidth)->text(), QStringLiteral("2.625"));
    EXPECT_EQ(dim.field(TextMarginLeft)->text(), QStringLiteral("0.15625"));
    EXPECT_EQ(dim.field(TextColumns)->text(), QStringLiteral("3"));
    EXPECT_EQ(dim.field(TextRows)->text(), QStringLiteral("10"));
    EXPECT_EQ(dim.field(TextColumnGap)->text(), QStringLiteral("0.15625"));
    EXPECT_TRUE(dim.foldBox(DimensionCell::Kind::RowFold)->isChecked()) << "folds are left as they were";
    EXPECT_TRUE(dim.portraitBox()->isChecked());

    dialog().applyButton()->click();
    const HeaderFields& h = m.activeWindow()->document().items.header()->rec.h;
    EXPECT_EQ(+h.designType, DesignLabels);
    EXPECT_EQ(+h.units, UnitInches);
    EXPECT_EQ(+h.pageDims[DimCardWidth], 2.625);
    EXPECT_EQ(+h.pageDims[DimMarginTop], 0.5);
    EXPECT_EQ(+h.columns, 3);
    flushDeletes();
}

TEST_F(PageSetupTemplatesTest, AProductOfAnotherCardTypeMovesToItsPanel)
{
    startWithTemplates();
    pageSetup->CurrentFileCommand();
    DimensionPanel& labels = choose(DesignLabels);
    labels.unitList()->setCurrentRow(0); // Pixels: products come in their own unit
    labels.templatesBox()->searchField()->setText(QStringLiteral("testa business"));
    const int row = RowOf(*labels.templatesBox(), "Testa C32011");
    ASSERT_GE(row, 0);
    labels.templatesBox()->chooseRow(row);
    const int chosen = labels.templatesBox()->templateAt(row);
    flushDeletes();

    EXPECT_EQ(dialog().session().designType(), DesignBusinessCards);
    DimensionPanel* cards = dialog().dimensions();
    ASSERT_NE(cards, nullptr);
    ASSERT_NE(cards->templatesBox(), nullptr);
    EXPECT_EQ(cards->templatesBox()->searchField()->text(), QStringLiteral("testa business"));
    EXPECT_EQ(cards->templatesBox()->templateAt(cards->templatesBox()->list()->currentIndex().row()), chosen)
        << "the new panel shows the product chosen";
    EXPECT_EQ(cards->unitList()->currentRow(), 1) << "millimetres, the unit the product is measured in";
    EXPECT_EQ(cards->field(TextCardWidth)->text(), QStringLiteral("85"));
    EXPECT_EQ(cards->field(TextRows)->text(), QStringLiteral("5"));
    EXPECT_EQ(cards->field(TextColumnGap)->text(), QStringLiteral("10"));

    // A greyed product cannot be chosen.
    TemplatesBox& box = *cards->templatesBox();
    box.searchField()->setText(QStringLiteral("overlap"));
    const int greyed = RowOf(box, "Testa OVERLAP");
    ASSERT_GE(greyed, 0);
    EXPECT_EQ(box.list()->model()->flags(box.list()->model()->index(greyed, 0)), Qt::NoItemFlags);
    box.chooseRow(greyed);
    EXPECT_EQ(cards->field(TextCardWidth)->text(), QStringLiteral("85"));

    // A Quick select row is applied in its own unit.
    box.searchField()->setText(QStringLiteral("12 per page"));
    const int builtin = RowOf(box, "Business Cards, 12 per page");
    ASSERT_GE(builtin, 0);
    box.chooseRow(builtin);
    EXPECT_EQ(cards->unitList()->currentRow(), 2);
    EXPECT_EQ(cards->quickSelectList()->currentRow(), 2);
    EXPECT_TRUE(cards->landscapeBox()->isChecked());
}

TEST_F(PageSetupTemplatesTest, SaveAsTemplateWritesTheUsersFolderAndListsIt)
{
    startWithTemplates();
    pageSetup->CurrentFileCommand();
    DimensionPanel& dim = choose(DesignBusinessCards);
    dim.unitList()->setCurrentRow(1);
    dim.quickSelectList()->setCurrentRow(0); // A8 business cards, 8 per page

    dialog().dimensions()->templatesBox()->saveButton()->click();
    auto* ask = dialog().findChild<SaveTemplateDialog*>();
    ASSERT_NE(ask, nullptr);
    EXPECT_EQ(ask->brandField()->accessibleName(), QStringLiteral("Brand"));
    EXPECT_FALSE(ask->saveButton()->isEnabled()) << "a brand and a name are needed";
    ask->brandField()->setText(QStringLiteral("Our Shop"));
    ask->nameField()->setText(QStringLiteral("A8 cards"));
    ask->saveButton()->click();

    EXPECT_TRUE(QFile::exists(userFolder() + QStringLiteral("/Our_Shop-A8_cards.xml")));
    TemplatesBox& box = *dialog().dimensions()->templatesBox();
    const int row = RowOf(box, "Our Shop A8 cards - 74 x 52 mm, 2 x 4 (8 per sheet)");
    ASSERT_GE(row, 0);
    EXPECT_EQ(box.list()->currentIndex().row(), row);
    EXPECT_TRUE(box.status()->text().startsWith(QStringLiteral("The template was saved as ")));

    // Pixels have no paper to save.
    dim.unitList()->setCurrentRow(0);
    EXPECT_FALSE(dialog().saveTemplate(QStringLiteral("Our Shop"), QStringLiteral("px"), QString()));
    EXPECT_EQ(box.status()->text(), QStringLiteral("Templates are saved in millimeters or inches, with every length a number."));
    flushDeletes();
}

} // namespace
} // namespace vlm::test
