#pragma once
// The program's one message window: every message and Yes/No question is shown in it.
#include "engine/Messages.h"
#include "widgets/TitleStripDialog.h"

class QPushButton;

class TSMForm : public TitleStripDialog {
    Q_OBJECT
public:
    enum class Kind { Message, Question };
    static constexpr int FormWidth = 408;
    static constexpr int FormHeight = 142;
    static constexpr int ButtonGap = 15;
    // The text's box at the window's least size.
    static constexpr int TextWidth = 326;
    static constexpr int TextHeight = 72;

    TSMForm(const QString &text, Kind kind, QWidget *parent = nullptr);

    static void ShowMessage(const QString &text);
    // Messages::Yes (6) for "Да", Messages::No (7) for anything else.
    static int Ask(const QString &text);

    Kind kind() const { return m_kind; }
    QString text() const;
    QPushButton *yesButton() const { return m_yes; }
    QPushButton *noButton() const { return m_no; }

    // The texts arrive with the program's "\r" line breaks.
    static QString DisplayText(QString text);
    // The box the label's text needs: at least TextWidth x TextHeight, wider for a long line up to
    // half the screen, and as tall as the text then wraps.
    static QSize TextSize(const QLabel *label);
    QLabel *label() const { return m_label; }

private:
    Kind m_kind;
    QLabel *m_label;
    QPushButton *m_yes;
    QPushButton *m_no;
};

// What the program installs so that Messages::show and Messages::ask open the message window.
class SMFormSink : public MessageSink {
public:
    void show(const QString &text) override;
    int ask(const QString &text) override;
};
