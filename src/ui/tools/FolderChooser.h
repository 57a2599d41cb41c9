#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace skyloom {

using FolderChooserFunction = std::function<QString(const QString& title, const QString& start)>;

// The desktop's folder dialog with a title, starting at a folder; empty when cancelled.
QString ChooseFolder(QWidget* parent, const QString& title, const QString& start);
// Tests: every folder dialog of the tools is answered by the given chooser instead. None
// restores the desktop's dialog.
void SetFolderChooser(FolderChooserFunction chooser);

} // namespace skyloom
