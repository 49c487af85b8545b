#include <gtest/gtest.h>

#include "ModelParams.h"
#include "ReportExports.h"
#include "ReportForm.h"
#include "editor/InputReader.h"
#include "editor/ModelEditor.h"

namespace kinetra {
namespace {

// A report with a motor line, the bare controller column and a two-line analysis.
struct ReportExportsTest : ::testing::Test {
    void compose(const ReportSwitches& switches = {})
    {
        editor.setText(EditField::MotorPEdit, QStringLiteral("1,5"));
        params.P = 1.5;
        form.compose(editor, params, QStringLiteral("a&b.kmf"),
                     {QStringLiteral("Скорость \"max\""), QStringLiteral("<end>")}, switches);
    }

    InputReader reader{u','};
    ModelEditor editor{reader};
    ModelParams params;
    ReportForm form;
    const QString date = QStringLiteral("09.12.2026");
};

TEST_F(ReportExportsTest, PlainTextHoldsTheShownColumnsOneAfterAnother)
{
    compose({true, true, true, false, true});
    const QStringList lines = ReportPlainText(form, date);
    EXPECT_EQ(lines.mid(0, 4),
              (QStringList{QStringLiteral("Kinetra  09.12.2026"), QStringLiteral("Модель a&b.kmf"),
                           QString(), QStringLiteral("P, кВт        1,5")}));
    EXPECT_EQ(lines.size(), 3 + 4 + 2); // the equipment's four lines, no controllers
    EXPECT_EQ(lines.constLast(), QStringLiteral("<end>"));
}

TEST_F(ReportExportsTest, CsvPutsTheColumnsSideBySideAndQuotesCommasAndQuotes)
{
    compose();
    const QStringList lines = ReportCsv(form, date);
    EXPECT_EQ(lines.at(0), QStringLiteral("Kinetra,09.12.2026"));
    EXPECT_EQ(lines.at(2), QStringLiteral("\"P, кВт        1,5\",,\"Скорость \"\"max\"\"\""));
    EXPECT_EQ(lines.at(3), QStringLiteral(",,<end>"));
    EXPECT_EQ(lines.size(), 2 + 4); // as many rows as the longest column
}

TEST_F(ReportExportsTest, HtmlEscapesTextsAndEmbedsOnlyShownCharts)
{
    compose({true, false, true, true, true});
    const QString page =
        ReportHtml(form, date, {QByteArray("dyn"), QByteArray("stat")}).join(u'\n');
    EXPECT_TRUE(page.contains(QStringLiteral("<meta charset=\"windows-1251\">")));
    EXPECT_TRUE(page.contains(QStringLiteral("<h1>Модель a&amp;b.kmf</h1>")));
    EXPECT_TRUE(page.contains(QStringLiteral("&lt;end&gt;")));
    EXPECT_TRUE(page.contains(QStringLiteral("base64,") + QByteArray("dyn").toBase64()));
    EXPECT_FALSE(page.contains(QByteArray("stat").toBase64()));
}

} // namespace
} // namespace kinetra
