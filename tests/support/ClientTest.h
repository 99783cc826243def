// What the tests that drive the client share: a client folder, the scripted person at the desktop,
// the trace, and documents with light files.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include <qvclient/Fixture.h>
#include <winenv/Desktop.h>
#include <winenv/Trace.h>

#include "ScriptedUser.h"
#include "TraceFields.h"

namespace viztest {

// GoogleTest has no HRESULT assertions off Windows.
inline std::string HrText(HRESULT hr)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(hr));
    return text;
}

#define VIZTEST_HR_CHECK(check, expr)               \
    do {                                            \
        const HRESULT hr_ = (expr);                 \
        check(SUCCEEDED(hr_)) << viztest::HrText(hr_); \
    } while (0)
#define ASSERT_SUCCEEDED(expr) VIZTEST_HR_CHECK(ASSERT_TRUE, expr)
#define EXPECT_SUCCEEDED(expr) VIZTEST_HR_CHECK(EXPECT_TRUE, expr)

// Light files given as (name, type).
using LightFiles = std::vector<std::pair<std::wstring, std::wstring>>;

template <class Folder>
class ClientTest : public ::testing::Test {
protected:
    qvclient::FixtureBuilder& Fixture() { return m_folder.Fixture(); }

    // A document of the class with one current revision holding the light files; each file's
    // content is what Content() makes of it.
    qvclient::DocumentFixture AddDocument(const std::wstring& className, const std::wstring& name, const LightFiles& files)
    {
        std::vector<qvclient::LightFileSpec> specs;
        for (const auto& [fileName, type] : files)
            specs.push_back({fileName, type, Content(fileName, type), ""});
        return Fixture().AddDocumentWithLightFiles(className, name, L"", specs);
    }
    virtual std::string Content(const std::wstring& name, const std::wstring& /*type*/)
    {
        return "light file " + winenv::ToUtf8(name);
    }

    // Runs `action` while the person in `user` sits at the desktop.
    template <class Action>
    auto AsUser(Action action)
    {
        winenv::ScopedDesktopUser scoped(user);
        return action();
    }

    // The events of one kind seen so far.
    std::vector<winenv::TraceEvent> Events(const std::string& kind) const { return trace.OfKind(kind); }
    // The fields of each event of one kind, joined with blanks.
    std::vector<std::string> EventFields(const std::string& kind, std::initializer_list<const char*> fields) const
    {
        return TraceFields(trace, kind, fields);
    }

    ScriptedUser user;
    winenv::TraceRecorder trace;
    // Declared after the trace, so that it records the client's whole life.
    Folder m_folder;
};

} // namespace viztest
