#pragma once

#include <QDialog>

#include <functional>

class QCheckBox;
class QLabel;
class QPushButton;

namespace skyloom {

// The program's message box: a message area in the window colour with the icon and the text,
// above a band of buttons in the order of the style's button set (MessageStyle), and the
// optional "Don't ask me again" check box. Escape and the close button answer Cancel when the
// set has it, OK when OK is the only button, and nothing otherwise. Ctrl+C copies the box as
// text. The answer is the pressed button's id, with the check box's style bit when ticked.
class CExtMessageBox final : public QDialog {
    Q_OBJECT
public:
    CExtMessageBox(const QString& caption, const QString& text, unsigned style,
                   QWidget* owner = nullptr);

    int Answer() const { return m_answer; }
    // The box as text: caption, message and button captions between lines of hyphens.
    QString ClipboardText() const;
    QPushButton* Button(int id) const;
    QCheckBox* CheckBox() const { return m_checkBox; }
    const QList<QPushButton*>& Buttons() const { return m_buttons; }

    // Tests: the next box is handed to the answerer instead of being shown; it answers by
    // clicking a button (or ticking the check box first). Answerers queue up and each serves
    // one box; a box its answerer leaves unanswered gets the cautious answer.
    static void AnswerNext(std::function<void(CExtMessageBox&)> answerer);
    // Takes the next queued answerer, if any.
    static std::function<void(CExtMessageBox&)> TakeAnswerer();

public slots:
    // Closes the box from the program (it is ending): the cautious answer, whatever the set.
    void reject() override;

protected:
    // Escape and the title bar's close button answer only where the set allows it.
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void Finish(int id);

    QString m_caption;
    QString m_text;
    unsigned m_style = 0;
    int m_answer = 0;
    QList<QPushButton*> m_buttons;
    QCheckBox* m_checkBox = nullptr;
};

// Shows a message box owned by owner (the active window when there is none) and returns the
// answer.
int ExtMessageBox(const QString& caption, QWidget* owner, const QString& text, unsigned style);

} // namespace skyloom
