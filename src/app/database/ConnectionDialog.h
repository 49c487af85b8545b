#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;
class QStackedWidget;

namespace kinetra {

// Composes a catalogue connection string: a catalogue file, or a PostgreSQL server with its
// database and user. A password may stay empty, so that the client library's password file or
// environment supplies it and none is kept in the settings file. The user can try the
// connection before taking it.
class ConnectionDialog final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ConnectionDialog)

public:
    explicit ConnectionDialog(QWidget* parent = nullptr);

    QString connectionString() const;

private:
    QWidget* createFilePage();
    QWidget* createServerPage();
    void showKind(int kind);
    void chooseFile();
    void tryConnection();

    QComboBox* m_kind = nullptr;
    QStackedWidget* m_pages = nullptr;
    QLineEdit* m_file = nullptr;
    QLineEdit* m_server = nullptr;
    QSpinBox* m_port = nullptr;
    QLineEdit* m_database = nullptr;
    QLineEdit* m_user = nullptr;
    QLineEdit* m_password = nullptr;
    QLabel* m_outcome = nullptr;
};

} // namespace kinetra
