#pragma once

#include <QDialog>

class QLineEdit;

namespace skyloom {

// Asks for one category name, new or a rename, and refuses an empty name and one that exists
// (or "All", which the category filter shows).
class CDLGCategoryName final : public QDialog {
    Q_OBJECT
public:
    CDLGCategoryName(const QString& databasePath, bool editMode, const QString& name,
                     QWidget* parent = nullptr);
    QString Name() const;

public slots:
    void accept() override;

private:
    QString m_databasePath;
    QLineEdit* m_name = nullptr;
};

} // namespace skyloom
