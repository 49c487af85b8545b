#pragma once

#include <QMainWindow>

namespace kinetra {

class ActionTable;
class EditHistory;
class FormPages;
class ModelDocument;
class ModelEditor;

// The main window: the model editor's four pages under the program's tool bar, with the menus
// that reach every command. Closing it ends the program after the close question.
class ModelWindow final : public QMainWindow {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ModelWindow)

public:
    ModelWindow(ModelEditor& editor, EditHistory& history, ModelDocument& document,
                const ActionTable& actions, QWidget* parent = nullptr);

    FormPages* pages() const { return m_pages; }
    // The model files used last, newest first, as entries of the file menu.
    void setRecentFiles(const QStringList& files);
    QList<QAction*> recentFileEntries() const { return m_recentEntries; }

signals:
    // The close question allowed the program to end.
    void closeAccepted();
    void recentFileChosen(const QString& path);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createMenus(const ActionTable& actions);
    void createHistoryEntries(QMenu* edit);
    void showTitle();

    ModelDocument& m_document;
    EditHistory& m_history;
    FormPages* m_pages = nullptr;
    QAction* m_undo = nullptr;
    QAction* m_redo = nullptr;
    QAction* m_recentStart = nullptr; // the separator above the recent files
    QList<QAction*> m_recentEntries;
};

} // namespace kinetra
