#pragma once

// The main function of every test executable. It keeps what the tests write to the standard
// locations apart from the user's and from other test executables running at the same time,
// and names the organisation and application that the settings store is kept under:
//
//   TAVRIX_TEST_MAIN(tst_Name)          widgets; Qt's test locations (~/.qttest)
//   TAVRIX_TEST_GUILESS_MAIN(tst_Name)  the same without widgets
//   TAVRIX_TEST_MAIN_OWN_HOME(tst_Name) widgets; a private settings folder, and the data folder
//                                       taken from XDG_DATA_HOME, which a test may point at a
//                                       folder of its own (the program's core reads it)

#include <QCoreApplication>
// Tests of the libraries without widgets are built without them.
#if __has_include(<QApplication>)
#include <QApplication>
#endif
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace TestMain {

// Before the application object exists.
inline void nameTheApplication(const char *testName)
{
    QCoreApplication::setOrganizationName(QStringLiteral("TavrixTests"));
    QCoreApplication::setApplicationName(QLatin1String(testName));
}

// For a test executable with a main function of its own.
inline void prepare(const char *testName)
{
    nameTheApplication(testName);
    QStandardPaths::setTestModeEnabled(true);
}

} // namespace TestMain

#define TAVRIX_TEST_MAIN_BODY(TestObject, Application, prepare)                                    \
    int main(int argc, char *argv[])                                                               \
    {                                                                                              \
        TestMain::nameTheApplication(#TestObject);                                                 \
        prepare;                                                                                   \
        Application app(argc, argv);                                                               \
        app.setAttribute(Qt::AA_Use96Dpi, true);                                                   \
        TestObject tc;                                                                             \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return QTest::qExec(&tc, argc, argv);                                                      \
    }

#define TAVRIX_TEST_MAIN(TestObject)                                                               \
    TAVRIX_TEST_MAIN_BODY(TestObject, QApplication, QStandardPaths::setTestModeEnabled(true))

#define TAVRIX_TEST_GUILESS_MAIN(TestObject)                                                       \
    TAVRIX_TEST_MAIN_BODY(TestObject, QCoreApplication, QStandardPaths::setTestModeEnabled(true))

#define TAVRIX_TEST_MAIN_OWN_HOME(TestObject)                                                      \
    TAVRIX_TEST_MAIN_BODY(TestObject, QApplication, QTemporaryDir configHome;                      \
                          qputenv("XDG_CONFIG_HOME", configHome.path().toLocal8Bit()))
