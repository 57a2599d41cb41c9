#pragma once

#include <QString>
#include <QUrl>

namespace skyloom {

// The help topic of a screen by its id (106 to 109 the pages, 2100 categories, 2500 the
// Shortcut Builder, 5001/5002 the shortcut dialog); empty for any other id.
QString HelpTopicName(int id);
// The online help's address for the topic.
QUrl HelpAddress(int id);
// Opens the topic's help page in the web browser (through WebLinks, which tests replace). A
// failure is not reported.
void OpenHelpTopic(int id);

} // namespace skyloom
