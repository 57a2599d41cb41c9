#pragma once

#include <QDialog>

class QTextBrowser;

namespace skyloom {

// "Instructions - Getting Started with Skyloom": the three ways of making Photo Folder
// Shortcuts, with links to the online help that open in the web browser.
class CDLGGettingStarted final : public QDialog {
    Q_OBJECT
public:
    explicit CDLGGettingStarted(QWidget* parent = nullptr);
    QTextBrowser* Page() const { return m_page; }

private:
    QTextBrowser* m_page = nullptr;
};

} // namespace skyloom
