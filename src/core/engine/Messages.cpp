#include "engine/Messages.h"

#include <QTextStream>

namespace {
MessageSink *g_sink = nullptr;

void printToStderr(const QString &text)
{
    QTextStream err(stderr);
    QString copy = text;
    err << copy.replace(u'\r', u'\n') << Qt::endl;
}
}  // namespace

namespace Messages {

void show(const QString &text)
{
    if (g_sink)
        g_sink->show(text);
    else
        printToStderr(text);
}

int ask(const QString &text)
{
    if (g_sink)
        return g_sink->ask(text) == Yes ? Yes : No;
    printToStderr(text);
    return No;
}

MessageSink *install(MessageSink *sink)
{
    MessageSink *previous = g_sink;
    g_sink = sink;
    return previous;
}

MessageSink *installed() { return g_sink; }

}  // namespace Messages

void MessageRecorder::show(const QString &text) { shown << text; }

int MessageRecorder::ask(const QString &text)
{
    asked << text;
    return answers.isEmpty() ? Messages::No : answers.takeFirst();
}
