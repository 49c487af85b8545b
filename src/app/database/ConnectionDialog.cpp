#include "database/ConnectionDialog.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "Catalogue.h"
#include "ConnectionString.h"

namespace kinetra {

namespace {

enum KindItem { FileItem = 0, ServerItem = 1 };

QLineEdit* namedEdit(const QString& name, QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    return edit;
}

} // namespace

ConnectionDialog::ConnectionDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("ConnectionDialog"));
    setWindowTitle(tr("Подключение к каталогу"));

    m_kind = new QComboBox(this);
    m_kind->setObjectName(QStringLiteral("KindComboBox"));
    m_kind->addItems({tr("Файл каталога (SQLite)"), tr("Сервер PostgreSQL")});
    m_pages = new QStackedWidget(this);
    m_pages->addWidget(createFilePage());
    m_pages->addWidget(createServerPage());
    connect(m_kind, &QComboBox::currentIndexChanged, this, &ConnectionDialog::showKind);

    auto* kindRow = new QFormLayout;
    kindRow->addRow(tr("&Каталог:"), m_kind);

    m_outcome = new QLabel(this);
    m_outcome->setObjectName(QStringLiteral("OutcomeLabel"));
    m_outcome->setWordWrap(true);
    m_outcome->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* tryButton = new QPushButton(tr("&Проверить подключение"), this);
    tryButton->setObjectName(QStringLiteral("TryButton"));
    connect(tryButton, &QPushButton::clicked, this, &ConnectionDialog::tryConnection);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(tr("Отмена"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* tryRow = new QHBoxLayout;
    tryRow->addWidget(tryButton);
    tryRow->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(kindRow);
    layout->addWidget(m_pages);
    layout->addLayout(tryRow);
    layout->addWidget(m_outcome);
    layout->addWidget(buttons);
    showKind(FileItem);
}

void ConnectionDialog::showKind(int kind)
{
    // The dialog is as tall as the page shown, not as the tallest page.
    for (int page = 0; page < m_pages->count(); ++page)
        m_pages->widget(page)->setSizePolicy(
            QSizePolicy::Preferred, page == kind ? QSizePolicy::Preferred : QSizePolicy::Ignored);
    m_pages->setCurrentIndex(kind);
    m_outcome->clear();
    adjustSize();
    resize(460, height());
}

QWidget* ConnectionDialog::createFilePage()
{
    auto* page = new QWidget(this);
    m_file = namedEdit(QStringLiteral("FileEdit"), page);
    m_file->setText(QStringLiteral("Kinetra.mdb"));
    auto* browse = new QPushButton(tr("&Обзор..."), page);
    connect(browse, &QPushButton::clicked, this, &ConnectionDialog::chooseFile);
    auto* row = new QHBoxLayout;
    row->addWidget(m_file, 1);
    row->addWidget(browse);
    auto* form = new QFormLayout(page);
    form->setContentsMargins(0, 0, 0, 0);
    auto* label = new QLabel(tr("&Файл:"), page);
    label->setBuddy(m_file);
    form->addRow(label, row);
    return page;
}

QWidget* ConnectionDialog::createServerPage()
{
    auto* page = new QWidget(this);
    m_server = namedEdit(QStringLiteral("ServerEdit"), page);
    m_server->setPlaceholderText(QStringLiteral("localhost"));
    m_port = new QSpinBox(page);
    m_port->setObjectName(QStringLiteral("PortSpinBox"));
    m_port->setRange(0, 65535);
    m_port->setSpecialValueText(tr("по умолчанию"));
    m_database = namedEdit(QStringLiteral("DatabaseEdit"), page);
    m_user = namedEdit(QStringLiteral("UserEdit"), page);
    m_password = namedEdit(QStringLiteral("PasswordEdit"), page);
    m_password->setEchoMode(QLineEdit::Password);
    m_password->setPlaceholderText(tr("из файла паролей или окружения"));
    auto* note =
        new QLabel(tr("Пароль, введенный здесь, хранится в Kinetra.ini открытым текстом."), page);
    note->setWordWrap(true);
    auto* form = new QFormLayout(page);
    form->setContentsMargins(0, 0, 0, 0);
    form->addRow(tr("&Сервер:"), m_server);
    form->addRow(tr("П&орт:"), m_port);
    form->addRow(tr("&База данных:"), m_database);
    form->addRow(tr("По&льзователь:"), m_user);
    form->addRow(tr("П&ароль:"), m_password);
    form->addRow(note);
    return page;
}

QString ConnectionDialog::connectionString() const
{
    ConnectionSettings settings;
    if (m_kind->currentIndex() == FileItem) {
        settings.kind = ConnectionSettings::Kind::SQLiteFile;
        settings.file = m_file->text().trimmed();
    } else {
        settings.kind = ConnectionSettings::Kind::PostgreSQL;
        settings.server = m_server->text().trimmed();
        settings.port = m_port->value();
        settings.database = m_database->text().trimmed();
        settings.user = m_user->text().trimmed();
        settings.password = m_password->text();
    }
    return ComposeConnectionString(settings);
}

void ConnectionDialog::chooseFile()
{
    const QString file =
        QFileDialog::getOpenFileName(this, tr("Файл каталога"), m_file->text(),
                                     tr("Каталоги (*.mdb *.db *.sqlite);;Все файлы (*)"));
    if (!file.isEmpty())
        m_file->setText(file);
}

void ConnectionDialog::tryConnection()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    Catalogue catalogue(u'.');
    const Status opened = catalogue.open(connectionString());
    QApplication::restoreOverrideCursor();
    m_outcome->setText(opened.ok ? tr("Подключение установлено.")
                                 : tr("Нет подключения: %1").arg(opened.error));
}

} // namespace kinetra
