#pragma once

#include "VersionInfo.h"

#include <QDialog>

namespace skyloom {

class CAppSettings;
class CHtmlLabel;

// "About Skyloom": the product name, what it is and its version above the legal notice, which
// links to the maker's web site.
class CDLGAbout final : public QDialog {
    Q_OBJECT
public:
    static constexpr char kWebSite[] = "https://www.kestrelworks.example/skyloom/";

    CDLGAbout(CAppSettings* settings, const VersionInfo& version, QWidget* parent = nullptr);

    // The texts of the two labels.
    static QString UpperText(const VersionInfo& version);
    static QString LowerText(const VersionInfo& version);

private:
    CAppSettings* m_settings = nullptr;
    CHtmlLabel* m_upper = nullptr;
    CHtmlLabel* m_lower = nullptr;
};

} // namespace skyloom
