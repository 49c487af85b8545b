#pragma once

#include <QMainWindow>

class QLineEdit;

namespace kinetra {

class ActionTable;
class FormPages;
class ModelDocument;
class ModelEditor;

// The main window: the model editor's four pages under the program's tool bar, with the menus
// that reach every command. Closing it ends the program after the close question.
class ModelWindow final : public QMainWindow {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ModelWindow)

public:
    ModelWindow(ModelEditor& editor, ModelDocument& document, const ActionTable& actions,
                QWidget* parent = nullptr);

    FormPages* pages() const { return m_pages; }

signals:
    // The close question allowed the program to end.
    void closeAccepted();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createMenus(const ActionTable& actions);

    ModelDocument& m_document;
    FormPages* m_pages = nullptr;
};

} // namespace kinetra
