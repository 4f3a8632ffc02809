#pragma once

#include "core/Clock.h"
#include "core/Database.h"
#include "core/MessageService.h"

#include <QDateTime>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <vector>

namespace vb::test {

class FixedClock final : public Clock {
public:
    explicit FixedClock(QDateTime now = QDateTime(QDate(2026, 12, 9), QTime(10, 7, 0))) : m_now(std::move(now)) {}
    QDateTime now() const override { return m_now; }
    void set(const QDateTime& now) { m_now = now; }

private:
    QDateTime m_now;
};

// Answers message and input boxes from a script and records every one shown. With no
// scripted answer left, a message gets its first button and an input box "".
class ScriptedMessages final : public MessageService {
public:
    void answer(MsgResult r) { m_answers.push_back(r); }
    void answerInput(const QString& text) { m_inputs.push_back(text); }

    MsgResult message(const MessageRequest& r) override;
    QString input(const InputRequest& r) override;
    void beep() override { ++beeps; }

    std::vector<MessageRequest> shown;
    std::vector<InputRequest> inputsShown;
    int beeps = 0;

    const MessageRequest& last() const { return shown.back(); }
    QStringList texts() const;
    void clear() { shown.clear(); inputsShown.clear(); }

private:
    std::deque<MsgResult> m_answers;
    std::deque<QString> m_inputs;
};

// A program folder in a temporary directory: a new archive made by the same code as the
// set-up, an "agg.ini" naming it and a logo picture. Removed when it goes out of scope.
class ProgramFolder {
public:
    explicit ProgramFolder(const QString& codInt = QStringLiteral("0"));
    ~ProgramFolder();

    QString path() const { return m_dir.path(); }
    QString databasePath() const;
    QString logoPath() const;
    QString iniPath() const;
    static QString key();

    std::unique_ptr<db::Database> open() const;
    void setIni(const QString& key, const QString& value) const;
    QString ini(const QString& key) const;

private:
    QTemporaryDir m_dir;
};

// The base of tests that drive windows: a program folder, a set clock (9 December 2026,
// 10:07:00), scripted messages and a counter of program ends instead of an exit.
class AppTest : public ::testing::Test {
protected:
    AppTest();
    ~AppTest() override;

    ProgramFolder folder;
    FixedClock clock;
    ScriptedMessages msgs;
    int programEnds = 0;
    std::unique_ptr<db::Database> db;
};

// Runs pending events (deferred deletes included).
void processEvents();

// The permission bits of |path| (0600 for a private file); -1 when it is missing.
int fileMode(const QString& path);

} // namespace vb::test
