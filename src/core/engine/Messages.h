#pragma once
// Every message and Yes/No question of the program goes through here. The program installs the
// message window; tests install a MessageRecorder with scripted answers; the command-line tool
// installs one that writes to the terminal.
#include <QList>
#include <QString>
#include <QStringList>

class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual void show(const QString &text) = 0;
    virtual int ask(const QString &text) = 0;  // Messages::Yes or Messages::No
};

namespace Messages {
inline constexpr int Yes = 6;
inline constexpr int No = 7;

void show(const QString &text);
int ask(const QString &text);
inline bool confirmed(const QString &question) { return ask(question) == Yes; }

// Installs a sink (not owned) and returns the one it replaces. With none installed, messages go
// to the standard error stream and questions answer No.
MessageSink *install(MessageSink *sink);
MessageSink *installed();
}  // namespace Messages

// Records what was shown and asked, and answers questions from a script (No once it runs out).
class MessageRecorder : public MessageSink {
public:
    void show(const QString &text) override;
    int ask(const QString &text) override;

    QStringList shown;
    QStringList asked;
    QList<int> answers;
};

// Installs a sink for the lifetime of the guard and restores the previous one afterwards.
class ScopedMessageSink {
public:
    explicit ScopedMessageSink(MessageSink *sink) : m_previous(Messages::install(sink)) {}
    ~ScopedMessageSink() { Messages::install(m_previous); }
    ScopedMessageSink(const ScopedMessageSink &) = delete;
    ScopedMessageSink &operator=(const ScopedMessageSink &) = delete;

private:
    MessageSink *m_previous;
};
