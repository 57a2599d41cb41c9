#include "CDLGFindShortcut.h"

#include "library/ShortcutSearch.h"
#include "library/TextHelpers.h"
#include "settings/CAppSettings.h"
#include "settings/CUtility.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace skyloom {
namespace {

struct ProfileValue {
    const char* section;
    const char* name;
    int fallback;
};
constexpr ProfileValue kColumnWidths[] = {{"Columns", "FINDSHORTCUT_COLUMN_NAME", 210},
                                          {"Columns", "FINDSHORTCUT_COLUMN_CATEGORY", 146},
                                          {"Columns", "FINDSHORTCUT_COLUMN_PHOTOS", 77}};
constexpr ProfileValue kStartsWith{"Options", "FINDSHORTCUT_STARTSWITH", 1};
constexpr ProfileValue kContains{"Options", "FINDSHORTCUT_CONTAINS", 0};

int ReadInt(const ProfileValue& value) {
    bool ok = false;
    const int n = CUtility::GetRegString(QLatin1String(value.section), QLatin1String(value.name),
                                         QString::number(value.fallback))
                      .toInt(&ok);
    return ok ? n : value.fallback;
}

void WriteInt(const ProfileValue& value, int n) {
    CUtility::SetRegString(QLatin1String(value.section), QLatin1String(value.name),
                           QString::number(n));
}

} // namespace

CDLGFindShortcut::CDLGFindShortcut(CAppSettings* settings, QWidget* parent)
    : QDialog(parent), m_settings(settings) {
    setObjectName(QStringLiteral("findShortcutDialog"));
    setWindowTitle(QStringLiteral("Find Photo Folder Shortcut"));
    m_text = new QLineEdit(this);
    m_text->setObjectName(QStringLiteral("findEdit"));
    m_text->setAccessibleName(QStringLiteral("Find Shortcut"));
    auto* textLabel = new QLabel(QStringLiteral("Find Shortcut:"), this);
    textLabel->setBuddy(m_text);
    m_startsWith = new QRadioButton(QStringLiteral("Starts With"), this);
    m_startsWith->setObjectName(QStringLiteral("startsWithRadio"));
    m_contains = new QRadioButton(QStringLiteral("Contains"), this);
    m_contains->setObjectName(QStringLiteral("containsRadio"));
    for (QRadioButton* r : {m_startsWith, m_contains})
        r->setAccessibleName(r->text());
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("statusLabel"));
    m_status->setAccessibleName(QStringLiteral("Status"));
    m_list = new QTableWidget(0, 3, this);
    m_list->setObjectName(QStringLiteral("resultList"));
    m_list->setAccessibleName(QStringLiteral("Matching Shortcuts"));
    m_list->setHorizontalHeaderLabels(
        {QStringLiteral("Name"), QStringLiteral("Category"), QStringLiteral("Photos")});
    m_list->horizontalHeaderItem(0)->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_list->horizontalHeaderItem(1)->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_list->horizontalHeaderItem(2)->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_list->verticalHeader()->setVisible(false);
    m_list->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_list->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    m_list->setShowGrid(true);
    m_list->setTabKeyNavigation(false); // Tab goes on to the buttons
    m_list->setWordWrap(false);
    m_list->setSortingEnabled(false);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->horizontalHeader()->setSectionsClickable(false);
    m_list->horizontalHeader()->setStretchLastSection(false);
    for (int column = 0; column < 3; ++column)
        m_list->setColumnWidth(column, std::max(20, ReadInt(kColumnWidths[column])));

    auto* buttons = new QDialogButtonBox(this);
    m_goTo = buttons->addButton(QStringLiteral("Go To"), QDialogButtonBox::AcceptRole);
    m_goTo->setObjectName(QStringLiteral("goToButton"));
    m_goTo->setDefault(true);
    QPushButton* done = buttons->addButton(QStringLiteral("Done"), QDialogButtonBox::RejectRole);
    done->setObjectName(QStringLiteral("doneButton"));
    for (QPushButton* b : {m_goTo, done})
        b->setAccessibleName(b->text());

    auto* textRow = new QHBoxLayout;
    textRow->addWidget(textLabel);
    textRow->addWidget(m_text, 1);
    textRow->addWidget(m_startsWith);
    textRow->addWidget(m_contains);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(textRow);
    layout->addWidget(m_status);
    layout->addWidget(m_list, 1);
    layout->addWidget(buttons);
    resize(560, 380);

    connect(m_text, &QLineEdit::textChanged, this, &CDLGFindShortcut::Search);
    connect(m_startsWith, &QRadioButton::clicked, this, &CDLGFindShortcut::Search);
    connect(m_contains, &QRadioButton::clicked, this, &CDLGFindShortcut::Search);
    connect(m_goTo, &QPushButton::clicked, this, &CDLGFindShortcut::Jump);
    connect(done, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_list, &QTableWidget::cellDoubleClicked, this, &CDLGFindShortcut::Jump);

    m_goTo->setEnabled(false);
    const bool contains = ReadInt(kContains) != 0 && ReadInt(kStartsWith) == 0;
    (contains ? m_contains : m_startsWith)->setChecked(true);
    m_text->setFocus();
    Search();
}

void CDLGFindShortcut::Search() {
    m_list->setRowCount(0);
    const QString text = m_text->text();
    std::vector<FoundShortcut> found;
    if (text.size() >= 2)
        found =
            FindShortcuts(m_settings->GetDatabasePath(), text,
                          m_contains->isChecked() ? NameMatch::Contains : NameMatch::StartsWith);
    if (found.empty()) {
        m_status->setText(QStringLiteral("No matching Shortcuts"));
        m_goTo->setEnabled(false);
        return;
    }
    m_list->setUpdatesEnabled(false);
    m_list->setRowCount(int(found.size()));
    for (int row = 0; row < int(found.size()); ++row) {
        const FoundShortcut& s = found[std::size_t(row)];
        // Plain text in every column: a name may hold "<" or "&".
        auto* name = new QTableWidgetItem(s.name);
        name->setData(Qt::UserRole, s.id);
        m_list->setItem(row, 0, name);
        m_list->setItem(row, 1, new QTableWidgetItem(s.category));
        auto* photos =
            new QTableWidgetItem(s.numPhotos == -1 ? QString() : FormatNumber(s.numPhotos));
        photos->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m_list->setItem(row, 2, photos);
    }
    m_list->setUpdatesEnabled(true);
    m_list->selectRow(0);
    m_list->scrollToTop();
    m_status->setText(
        QStringLiteral("%1 matching Shortcuts.").arg(FormatNumber(int(found.size()))));
    m_goTo->setEnabled(true);
    m_text->setFocus();
}

void CDLGFindShortcut::Jump() {
    const QModelIndexList selected = m_list->selectionModel()->selectedRows();
    if (selected.isEmpty())
        return; // rows, but none chosen: the dialog stays open
    m_chosenId = m_list->item(selected.front().row(), 0)->data(Qt::UserRole).toInt();
    accept();
}

void CDLGFindShortcut::SaveProfile() {
    for (int column = 0; column < 3; ++column)
        WriteInt(kColumnWidths[column], m_list->columnWidth(column));
    WriteInt(kStartsWith, m_startsWith->isChecked() ? 1 : 0);
    WriteInt(kContains, m_contains->isChecked() ? 1 : 0);
}

void CDLGFindShortcut::done(int result) {
    SaveProfile();
    QDialog::done(result);
}

} // namespace skyloom
