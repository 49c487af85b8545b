#pragma once

#include <QTabBar>

namespace kinetra {

// A tab bar whose tabs show their hints in the status bar too: the tab under the mouse pointer
// sends its tool tip as the status tip, as the controls on the pages do with theirs.
class PageTabBar final : public QTabBar {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PageTabBar)

public:
    explicit PageTabBar(QWidget* parent = nullptr);

protected:
    bool event(QEvent* event) override;

private:
    void hover(int tab);

    int m_hoveredTab = -1;
};

} // namespace kinetra
