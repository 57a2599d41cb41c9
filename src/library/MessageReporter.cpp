#include "MessageReporter.h"

#include "MessageButtons.h"

#include <QByteArray>

#include <atomic>
#include <cstdio>

namespace skyloom {
namespace {

class StderrReporter final : public IMessageReporter {
public:
    int ShowMessage(const QString& caption, const QString& text, unsigned style) override {
        const QByteArray line = (caption + QStringLiteral(": ") + text).toUtf8();
        std::fprintf(stderr, "%s\n", line.constData());
        return MessageButtons(style).front().id;
    }
};

StderrReporter g_stderrReporter;
std::atomic<IMessageReporter*> g_reporter{nullptr};

} // namespace

IMessageReporter& MessageReporter() {
    IMessageReporter* reporter = g_reporter.load();
    return reporter ? *reporter : g_stderrReporter;
}

IMessageReporter* InstallMessageReporter(IMessageReporter* reporter) {
    return g_reporter.exchange(reporter);
}

} // namespace skyloom
