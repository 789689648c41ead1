// The application proxy's registration, the value editor factory of this library and where its
// file and folder dialogs start.

#include "common/testmain.h"

#include "common/propertytestsupport.h"

#include "guilib/property/choicevalueeditor.h"
#include "guilib/property/externalvalueeditor.h"
#include "guilib/property/iappproxy.h"
#include "guilib/property/pathvalueeditor.h"
#include "guilib/property/recordsvalueeditor.h"
#include "guilib/property/textvalueeditor.h"
#include "guilib/property/valueeditorfactory.h"
#include "guilib/property/valueeditorrequest.h"

#include "corelib/vocabulary/xmlkey.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using GuiLib::IAppProxy;
using GuiLib::PathValueEditor;
using GuiLib::ValueEditorFactory;
using GuiLib::ValueEditorRequest;
namespace XMLKey = SRCore::XMLKey;

namespace {

ValueEditorRequest pathRequest(const QString &ownerType, const QString &tag,
                               const QString &editorType)
{
    ValueEditorRequest request;
    request.editorType = editorType;
    request.ownerType = ownerType;
    request.tag = tag;
    return request;
}

} // namespace

class tst_ValueEditorFactory : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void firstProxyRegistersUntilDestroyed();
    void factoryMakesTheEditorsOfThisLibrary_data();
    void factoryMakesTheEditorsOfThisLibrary();
    void lastFolderKeyNamesOwnerAndProperty_data();
    void lastFolderKeyNamesOwnerAndProperty();
    void startFolder_data();
    void startFolder();
};

void tst_ValueEditorFactory::init()
{
    QSettings().clear();
}

void tst_ValueEditorFactory::firstProxyRegistersUntilDestroyed()
{
    QCOMPARE(IAppProxy::instance(), nullptr);
    {
        auto first = std::make_unique<FakeAppProxy>();
        QCOMPARE(IAppProxy::instance(), first.get());
        {
            FakeAppProxy second;
            QCOMPARE(IAppProxy::instance(), first.get());
        }
        QCOMPARE(IAppProxy::instance(), first.get());
        first.reset();
        QCOMPARE(IAppProxy::instance(), nullptr);
        FakeAppProxy later;
        QCOMPARE(IAppProxy::instance(), &later);
    }
    QCOMPARE(IAppProxy::instance(), nullptr);
}

void tst_ValueEditorFactory::factoryMakesTheEditorsOfThisLibrary_data()
{
    QTest::addColumn<QString>("editorType");
    QTest::addColumn<QString>("made"); // the editor's class, or the refusal

    // clang-format off
    QTest::newRow("choose file") << "choosefile" << "path";
    QTest::newRow("choose file with a filter") << "choosefile|Images (*.png *.jpg)" << "path";
    QTest::newRow("choose folder") << "choosefolder" << "path";
    QTest::newRow("patterns") << "folderpatterns" << "text";
    QTest::newRow("multi-line text") << "mltextwithvar" << "text";
    QTest::newRow("file types") << "types" << "choice";
    QTest::newRow("many from the library") << "askplugin2" << "choice";
    QTest::newRow("private data") << "userdatafieldsedit" << "records";
    QTest::newRow("mail accounts") << "accountsdef" << "records";
    QTest::newRow("external") << "external" << "external";
    QTest::newRow("script expressions are the application's") << "scriptexp" << "This library has no value editor of the kind 'Define script expression'";
    QTest::newRow("FTP folders are the application's") << "choosedir" << "This library has no value editor of the kind 'Choose FTP directory'";
    QTest::newRow("a fixed value has no editor") << "allfiles" << "This library has no value editor of the kind 'All files'";
    QTest::newRow("an unknown kind") << "crystalball" << "This library has no value editor of the kind 'crystalball'";
    // clang-format on
}

void tst_ValueEditorFactory::factoryMakesTheEditorsOfThisLibrary()
{
    QFETCH(QString, editorType);
    QFETCH(QString, made);

    ValueEditorRequest request;
    request.editorType = editorType;
    QString errorMessage;
    const std::unique_ptr<GuiLib::IValueEditor> editor =
        ValueEditorFactory::create(request, &errorMessage);

    const GuiLib::IValueEditor *raw = editor.get();
    const QString kind = dynamic_cast<const PathValueEditor *>(raw)               ? "path"
                         : dynamic_cast<const GuiLib::TextValueEditor *>(raw)     ? "text"
                         : dynamic_cast<const GuiLib::ChoiceValueEditor *>(raw)   ? "choice"
                         : dynamic_cast<const GuiLib::RecordsValueEditor *>(raw)  ? "records"
                         : dynamic_cast<const GuiLib::ExternalValueEditor *>(raw) ? "external"
                                                                                  : errorMessage;
    QCOMPARE(kind, made);
    if (editor) {
        QCOMPARE(editor->value(), QString());
        QVERIFY(errorMessage.isEmpty());
    }
    // Without an error text to fill the answer is the same.
    QCOMPARE(ValueEditorFactory::create(request) == nullptr, editor == nullptr);
}

void tst_ValueEditorFactory::lastFolderKeyNamesOwnerAndProperty_data()
{
    QTest::addColumn<QString>("ownerType");
    QTest::addColumn<QString>("tag");
    QTest::addColumn<QString>("editorType");
    QTest::addColumn<QString>("key");

    // clang-format off
    QTest::newRow("fixture job file") << XMLKey::SCRIPTFIXTURE << XMLKey::FILEORFOLDER << "choosefile" << "ScriptFixture_FileOrFolder_Description_LastPath";
    QTest::newRow("declaration icon with a filter") << XMLKey::SCRIPTDECLARATION << "Icon" << "choosefile|PNG (*.png)" << "ScriptDeclaration_Icon_Description_LastPath";
    QTest::newRow("file without a tag") << "" << "" << "choosefile" << "GenericFilePath_Description_LastPath";
    QTest::newRow("folder without a tag") << "" << "" << "choosefolder" << "GenericFolderPath_Description_LastPath";
    QTest::newRow("owner without a tag") << XMLKey::SCRIPTFIXTURE << "" << "choosefolder" << "ScriptFixture_GenericFolderPath_Description_LastPath";
    // clang-format on
}

void tst_ValueEditorFactory::lastFolderKeyNamesOwnerAndProperty()
{
    QFETCH(QString, ownerType);
    QFETCH(QString, tag);
    QFETCH(QString, editorType);
    QFETCH(QString, key);

    QCOMPARE(PathValueEditor(pathRequest(ownerType, tag, editorType)).lastPathKey(), key);
}

void tst_ValueEditorFactory::startFolder_data()
{
    QTest::addColumn<bool>("withProxy");
    QTest::addColumn<QString>("stored"); // "<temp>": an existing folder, "<gone>": a removed one
    QTest::addColumn<QString>("tag");
    QTest::addColumn<QString>("expected"); // "<temp>", "<home>", or a folder

    // clang-format off
    QTest::newRow("the remembered folder") << true << "<temp>" << XMLKey::FILEORFOLDER << "<temp>";
    QTest::newRow("a remembered folder that is gone gives way to the default") << true << "<gone>" << XMLKey::FILEORFOLDER << "<home>";
    QTest::newRow("the default without a remembered folder") << true << "" << XMLKey::TESTFOLDER << "<home>";
    QTest::newRow("no default for this property") << true << "" << "Elsewhere" << "";
    QTest::newRow("without a proxy the default") << false << "" << XMLKey::FILEORFOLDER << "<home>";
    // clang-format on
}

void tst_ValueEditorFactory::startFolder()
{
    QFETCH(bool, withProxy);
    QFETCH(QString, stored);
    QFETCH(QString, tag);
    QFETCH(QString, expected);

    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    QString gone;
    {
        QTemporaryDir removed;
        gone = removed.path();
    }
    const auto resolve = [&](const QString &text) {
        return text == QLatin1String("<temp>")   ? folder.path()
               : text == QLatin1String("<gone>") ? gone
               : text == QLatin1String("<home>") ? QDir::homePath()
                                                 : text;
    };
    std::unique_ptr<FakeAppProxy> proxy;
    if (withProxy) {
        proxy = std::make_unique<FakeAppProxy>();
    }
    const PathValueEditor editor(pathRequest(XMLKey::SCRIPTFIXTURE, tag, "choosefolder"));
    if (!stored.isEmpty()) {
        QSettings().setValue("Editors/" + editor.lastPathKey(), resolve(stored));
    }

    QCOMPARE(editor.startFolder(), resolve(expected));
}

TAVRIX_TEST_MAIN(tst_ValueEditorFactory)
#include "tst_valueeditorfactory.moc"
