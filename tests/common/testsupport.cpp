#include "tests/common/testsupport.h"

#include "core/modorvan.h"
#include "platform/basic.h"
#include "platform/runtime.h"

#include <QDir>
#include <QFile>
#include <QTimer>
#include <memory>

namespace orvtest {

MsgBoxLog& msgLog()
{
    static MsgBoxLog log;
    return log;
}

void MsgBoxLog::install()
{
    orv::setMsgPresenter([this](const orv::MsgRecord& r) {
        shown.push_back(r);
        if (!answers.empty()) {
            auto a = answers.front();
            answers.pop_front();
            return a;
        }
        return defaultAnswer;
    });
}

int& programEnds()
{
    static int n = 0;
    return n;
}

QString sourceDir()
{
    const QByteArray d = qgetenv("ORV_SOURCE_DIR");
    return d.isEmpty() ? QDir::currentPath() : QString::fromLocal8Bit(d);
}

QString sourceFile(const QString& rel) { return sourceDir() + u'/' + rel; }

ProgramFolder::ProgramFolder()
{
    QDir d(dir_.path());
    d.mkpath(QStringLiteral("unks"));
    d.mkpath(QStringLiteral("gifs"));
    d.mkpath(QStringLiteral("users"));
    qputenv("ORVANTO_HOME", dir_.path().toLocal8Bit());
    const QString help = qEnvironmentVariable("ORV_PROGRAM_DIR") + QStringLiteral("/orvantor.hlp");
    if (QFile::exists(help))
        QFile::copy(help, file(QStringLiteral("orvantor.hlp")));
    orv::resetModOrvan();
    msgLog().shown.clear();
    msgLog().answers.clear();
    msgLog().defaultAnswer = orv::MsgResult::Ok;
    programEnds() = 0;
}

void ProgramFolder::copyFromSource(const QString& sourceRel, const QString& targetRel) const
{
    QFile::remove(file(targetRel));
    QFile::copy(sourceFile(sourceRel), file(targetRel));
}

void scriptRandom(std::vector<double> values)
{
    auto v = std::make_shared<std::vector<double>>(std::move(values));
    auto i = std::make_shared<size_t>(0);
    orv::setRandomSource([v, i] {
        if (v->empty())
            return 0.0;
        const double r = (*v)[std::min(*i, v->size() - 1)];
        ++*i;
        return r;
    });
}

void clearRandom() { orv::setRandomSource({}); }

void later(std::function<void()> fn, int ms) { QTimer::singleShot(ms, std::move(fn)); }

} // namespace orvtest
