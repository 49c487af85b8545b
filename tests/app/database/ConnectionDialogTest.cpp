#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>

#include "../../database/TestCatalogue.h"
#include "ConnectionString.h"
#include "database/ConnectionDialog.h"

namespace kinetra::test {
namespace {

class ConnectionDialogTest : public ::testing::Test {
protected:
    template <typename Widget> Widget& find(const char* name)
    {
        return *dialog.findChild<Widget*>(QLatin1String(name));
    }
    QString tryIt()
    {
        find<QPushButton>("TryButton").click();
        return find<QLabel>("OutcomeLabel").text();
    }

    ConnectionDialog dialog;
};

TEST_F(ConnectionDialogTest, ServerFieldsComposeAStringWithoutAPassword)
{
    find<QComboBox>("KindComboBox").setCurrentIndex(1);
    find<QLineEdit>("ServerEdit").setText(QStringLiteral("db.office"));
    find<QSpinBox>("PortSpinBox").setValue(5433);
    find<QLineEdit>("DatabaseEdit").setText(QStringLiteral("catalogue"));
    find<QLineEdit>("UserEdit").setText(QStringLiteral("engineer"));
    EXPECT_EQ(dialog.connectionString(),
              QStringLiteral("Provider=PostgreSQL;Server=db.office;Port=5433;Database=catalogue;"
                             "User ID=engineer"));
}

TEST_F(ConnectionDialogTest, TryingTellsWhetherTheCatalogueOpens)
{
    QTemporaryDir directory;
    const QString path = directory.filePath(QStringLiteral("c.mdb"));
    WriteCatalogue(path, MotorCatalogue());
    find<QLineEdit>("FileEdit").setText(path);
    EXPECT_EQ(tryIt(), QStringLiteral("Подключение установлено."));
    EXPECT_EQ(ParseConnectionString(dialog.connectionString())->file, path);

    find<QLineEdit>("FileEdit").setText(directory.filePath(QStringLiteral("none.mdb")));
    EXPECT_TRUE(tryIt().startsWith(QStringLiteral("Нет подключения: Файл каталога")));
}

} // namespace
} // namespace kinetra::test
