// The FileSystemObject of the VBScript engine on real files: the File and Folder objects'
// properties and actions, the object's file operations, TextStreams, and the run-time errors
// a script gets for a missing file, an existing target, a read-only file or a folder where a
// file is expected.

#include "common/testmain.h"

#include "vbscriptrun.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

// a.txt (14 bytes, modified 5/4/2020 3:02:01 AM, read 6/7/2021 8:09:10 AM), .hidden,
// sub/b.log (3 bytes), sub/deeper/c (2 bytes) and an empty folder.
void makeWorld(const QString &root)
{
    const auto write = [&root](const QString &name, const QByteArray &bytes) {
        QFile file(root + QLatin1Char('/') + name);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(bytes), bytes.size());
    };
    QVERIFY(QDir(root).mkpath(QStringLiteral("sub/deeper")));
    QVERIFY(QDir(root).mkpath(QStringLiteral("empty")));
    write(QStringLiteral("a.txt"), "hello\r\nworld\r\n");
    write(QStringLiteral(".hidden"), "h");
    write(QStringLiteral("sub/b.log"), "abc");
    write(QStringLiteral("sub/deeper/c"), "xy");
    QFile a(root + QStringLiteral("/a.txt"));
    QVERIFY(a.open(QIODevice::ReadWrite));
    QVERIFY(a.setFileTime(QDateTime(QDate(2020, 5, 4), QTime(3, 2, 1)),
                          QFileDevice::FileModificationTime));
    QVERIFY(
        a.setFileTime(QDateTime(QDate(2021, 6, 7), QTime(8, 9, 10)), QFileDevice::FileAccessTime));
}

} // namespace

class TestVBScriptFileSystem : public QObject
{
    Q_OBJECT

private slots:
    void scriptOnFilesGivesItsResult_data();
    void scriptOnFilesGivesItsResult();

private:
    QString m_home = QDir::currentPath();
};

void TestVBScriptFileSystem::scriptOnFilesGivesItsResult_data()
{
    QTest::addColumn<QString>("readOnly"); // a file made read-only before the run, or ""
    QTest::addColumn<QString>("script");   // P echoes a value; fso is the FileSystemObject
    QTest::addColumn<QString>("result");   // the echo lines joined by '|'; <d> is the folder

    // clang-format off
    QTest::newRow("file size counts bytes") << "" << "P fso.GetFile(\"a.txt\").Size" << "14";
    QTest::newRow("file name and path") << "" << "Set f = fso.GetFile(\"sub/b.log\"): P f.Name: P f.Path" << "b.log|<d>/sub/b.log";
    QTest::newRow("short name and path are the long ones") << "" << "Set f = fso.GetFile(\"sub/b.log\"): P f.ShortName & \" \" & f.ShortPath" << "b.log <d>/sub/b.log";
    QTest::newRow("parent folder of a file") << "" << "P fso.GetFile(\"sub/b.log\").ParentFolder.Path" << "<d>/sub";
    QTest::newRow("the root has no parent folder") << "" << "P fso.GetFolder(\"/\").ParentFolder Is Nothing" << "True";
    QTest::newRow("only the root is the root folder") << "" << "P fso.GetFolder(\"/\").IsRootFolder & \" \" & fso.GetFolder(\"sub\").IsRootFolder" << "True False";
    QTest::newRow("folder size adds the files below it") << "" << "P fso.GetFolder(\"sub\").Size" << "5";
    QTest::newRow("empty folder has size zero") << "" << "P fso.GetFolder(\"empty\").Size" << "0";
    QTest::newRow("folder type") << "" << "P fso.GetFolder(\"sub\").Type" << "File folder";
    QTest::newRow("file attributes are archive") << "" << "P fso.GetFile(\"a.txt\").Attributes" << "32";
    QTest::newRow("folder attributes are directory") << "" << "P fso.GetFolder(\"sub\").Attributes" << "16";
    QTest::newRow("read-only file has attribute 1") << "a.txt" << "P fso.GetFile(\"a.txt\").Attributes" << "33";
    QTest::newRow("hidden file has attribute 2") << "" << "P fso.GetFile(\".hidden\").Attributes" << "34";
    QTest::newRow("setting and clearing read-only") << "" << "Set f = fso.GetFile(\"a.txt\"): f.Attributes = 1: P f.Attributes: f.Attributes = 0: P f.Attributes" << "33|32";
    QTest::newRow("date last modified") << "" << "P fso.GetFile(\"a.txt\").DateLastModified" << "5/4/2020 3:02:01 AM";
    QTest::newRow("date last accessed") << "" << "P fso.GetFile(\"a.txt\").DateLastAccessed" << "6/7/2021 8:09:10 AM";
    QTest::newRow("date created is a date not after now") << "" << "Set f = fso.GetFile(\"a.txt\"): P TypeName(f.DateCreated) & \" \" & (f.DateCreated <= Now)" << "Date True";
    QTest::newRow("renaming a file") << "" << "Set f = fso.GetFile(\"a.txt\"): f.Name = \"b.txt\": P f.Path & \" \" & fso.FileExists(\"a.txt\") & \" \" & fso.FileExists(\"b.txt\")" << "<d>/b.txt False True";
    QTest::newRow("renaming onto an existing name") << "" << "fso.GetFile(\"a.txt\").Name = \"sub\"" << "error 58: File already exists";
    QTest::newRow("file Copy keeps the original") << "" << "fso.GetFile(\"a.txt\").Copy \"c.txt\": P fso.GetFile(\"c.txt\").Size & \" \" & fso.FileExists(\"a.txt\")" << "14 True";
    QTest::newRow("file Copy into a folder") << "" << "fso.GetFile(\"a.txt\").Copy \"sub/\": P fso.GetFile(\"sub/a.txt\").Size" << "14";
    QTest::newRow("file Copy onto a file without overwrite") << "" << "fso.GetFile(\"sub/b.log\").Copy \"a.txt\", False" << "error 58: File already exists";
    QTest::newRow("file Copy without a destination") << "" << "fso.GetFile(\"a.txt\").Copy" << "error 450: Wrong number of arguments or invalid property assignment";
    QTest::newRow("file Move into a folder follows the file") << "" << "Set f = fso.GetFile(\"a.txt\"): f.Move \"sub\": P f.Path & \" \" & fso.FileExists(\"a.txt\")" << "<d>/sub/a.txt False";
    QTest::newRow("file Move onto an existing file") << "" << "fso.GetFile(\"a.txt\").Move \"sub/b.log\"" << "error 58: File already exists";
    QTest::newRow("a deleted file's properties") << "" << "Set f = fso.GetFile(\"a.txt\"): f.Delete: P fso.FileExists(\"a.txt\"): P f.Size" << "False|error 53: File not found";
    QTest::newRow("read-only file Delete is refused") << "a.txt" << "fso.GetFile(\"a.txt\").Delete: P fso.FileExists(\"a.txt\")" << "error 70: Permission denied";
    QTest::newRow("read-only file Delete with force") << "a.txt" << "fso.GetFile(\"a.txt\").Delete True: P fso.FileExists(\"a.txt\")" << "False";
    QTest::newRow("folder Files and SubFolders") << "" << "Set f = fso.GetFolder(\"sub\"): P f.Files.Count & \" \" & f.SubFolders.Count" << "1 1";
    QTest::newRow("For Each over a folder's files") << "" << "For Each x In fso.GetFolder(\"sub\").Files: P x.Name: Next" << "b.log";
    QTest::newRow("folder Copy copies the tree") << "" << "fso.GetFolder(\"sub\").Copy \"copy\": P fso.FileExists(\"copy/deeper/c\") & \" \" & fso.GetFolder(\"copy\").Size" << "True 5";
    QTest::newRow("folder Move follows the folder") << "" << "Set f = fso.GetFolder(\"sub\"): f.Move \"moved\": P f.Path & \" \" & fso.FolderExists(\"sub\")" << "<d>/moved False";
    QTest::newRow("folder Delete removes the tree") << "" << "fso.GetFolder(\"sub\").Delete: P fso.FolderExists(\"sub\")" << "False";
    QTest::newRow("a folder object whose folder is gone") << "" << "Set f = fso.GetFolder(\"empty\"): fso.DeleteFolder \"empty\": P f.Size" << "error 76: Path not found";
    QTest::newRow("folder CreateTextFile") << "" << "Set t = fso.GetFolder(\"sub\").CreateTextFile(\"new.txt\"): t.Write \"x\": t.Close: P fso.GetFile(\"sub/new.txt\").Size" << "1";
    QTest::newRow("folder CreateTextFile without overwrite") << "" << "fso.GetFolder(\"sub\").CreateTextFile \"b.log\", False" << "error 58: File already exists";
    QTest::newRow("OpenAsTextStream reads lines") << "" << "Set t = fso.GetFile(\"a.txt\").OpenAsTextStream: P t.ReadLine & \",\" & t.ReadLine" << "hello,world";
    QTest::newRow("OpenAsTextStream appends") << "" << "Set f = fso.GetFile(\"a.txt\"): Set t = f.OpenAsTextStream(8): t.Write \"!\": t.Close: P f.Size" << "15";
    QTest::newRow("OpenAsTextStream writes over") << "" << "Set f = fso.GetFile(\"a.txt\"): Set t = f.OpenAsTextStream(2): t.Write \"ab\": t.Close: P f.Size" << "2";
    QTest::newRow("OpenAsTextStream of an unknown mode") << "" << "fso.GetFile(\"a.txt\").OpenAsTextStream 3" << "error 5: Invalid procedure call or argument";

    QTest::newRow("GetFile of a missing file") << "" << "fso.GetFile \"missing.txt\"" << "error 53: File not found";
    QTest::newRow("GetFile of a folder") << "" << "fso.GetFile \"sub\"" << "error 53: File not found";
    QTest::newRow("GetFolder of a missing folder") << "" << "fso.GetFolder \"missing\"" << "error 76: Path not found";
    QTest::newRow("GetFolder of a file") << "" << "fso.GetFolder \"a.txt\"" << "error 76: Path not found";
    QTest::newRow("CopyFile overwrites by default") << "" << "fso.CopyFile \"a.txt\", \"sub/b.log\": P fso.GetFile(\"sub/b.log\").Size" << "14";
    QTest::newRow("CopyFile onto a file without overwrite") << "" << "fso.CopyFile \"a.txt\", \"sub/b.log\", False: P 1" << "error 58: File already exists";
    QTest::newRow("CopyFile onto a read-only file") << "sub/b.log" << "fso.CopyFile \"a.txt\", \"sub/b.log\"" << "error 70: Permission denied";
    QTest::newRow("CopyFile of a missing file") << "" << "fso.CopyFile \"missing.txt\", \"x.txt\"" << "error 53: File not found";
    QTest::newRow("CopyFile into a missing folder") << "" << "fso.CopyFile \"a.txt\", \"nowhere/x.txt\"" << "error 76: Path not found";
    QTest::newRow("CopyFile with wildcards into a folder") << "" << "fso.CopyFile \"*.txt\", \"empty\": P fso.GetFolder(\"empty\").Files.Count" << "1";
    QTest::newRow("MoveFile renames") << "" << "fso.MoveFile \"a.txt\", \"z.txt\": P fso.FileExists(\"a.txt\") & \" \" & fso.GetFile(\"z.txt\").Size" << "False 14";
    QTest::newRow("MoveFile onto an existing file") << "" << "fso.MoveFile \"a.txt\", \"sub/b.log\"" << "error 58: File already exists";
    QTest::newRow("MoveFile of a missing file") << "" << "fso.MoveFile \"missing.txt\", \"x.txt\"" << "error 53: File not found";
    QTest::newRow("MoveFile into a missing folder") << "" << "fso.MoveFile \"a.txt\", \"nowhere/x.txt\"" << "error 76: Path not found";
    QTest::newRow("DeleteFile of a missing file") << "" << "fso.DeleteFile \"missing.txt\"" << "error 53: File not found";
    QTest::newRow("DeleteFile with wildcards") << "" << "fso.DeleteFile \"sub/*.log\": P fso.GetFolder(\"sub\").Files.Count" << "0";
    QTest::newRow("DeleteFile of a read-only file") << "a.txt" << "fso.DeleteFile \"a.txt\"" << "error 70: Permission denied";
    QTest::newRow("DeleteFile of a read-only file with force") << "a.txt" << "fso.DeleteFile \"a.txt\", True: P fso.FileExists(\"a.txt\")" << "False";
    QTest::newRow("DeleteFolder of a missing folder") << "" << "fso.DeleteFolder \"missing\"" << "error 76: Path not found";
    QTest::newRow("DeleteFolder with wildcards") << "" << "fso.DeleteFolder \"s*\": P fso.FolderExists(\"sub\") & \" \" & fso.FolderExists(\"empty\")" << "False True";
    QTest::newRow("CreateFolder gives the folder") << "" << "P fso.CreateFolder(\"new\").Path" << "<d>/new";
    QTest::newRow("CreateFolder of an existing folder") << "" << "fso.CreateFolder \"sub\"" << "error 58: File already exists";
    QTest::newRow("CreateFolder under a missing folder") << "" << "fso.CreateFolder \"x/y\"" << "error 76: Path not found";
    QTest::newRow("CopyFolder of a missing folder") << "" << "fso.CopyFolder \"missing\", \"x\"" << "error 76: Path not found";
    QTest::newRow("CopyFolder onto a file") << "" << "fso.CopyFolder \"sub\", \"a.txt\"" << "error 58: File already exists";
    QTest::newRow("CopyFolder again without overwrite") << "" << "fso.CopyFolder \"sub\", \"copy\": fso.CopyFolder \"sub\", \"copy\", False" << "error 58: File already exists";
    QTest::newRow("MoveFolder onto an existing folder") << "" << "fso.MoveFolder \"sub\", \"empty\"" << "error 58: File already exists";
    QTest::newRow("MoveFolder into a folder") << "" << "fso.MoveFolder \"sub\", \"empty/\": P fso.FileExists(\"empty/sub/deeper/c\") & \" \" & fso.FolderExists(\"sub\")" << "True False";
    QTest::newRow("MoveFolder of a missing folder") << "" << "fso.MoveFolder \"missing\", \"x\"" << "error 76: Path not found";
    QTest::newRow("the temporary folder holds the test's") << "" << "P fso.GetSpecialFolder(2).Path = fso.GetParentFolderName(fso.GetAbsolutePathName(\".\"))" << "True";
    QTest::newRow("the Windows folder is the root") << "" << "P fso.GetSpecialFolder(0).Path" << "/";
    QTest::newRow("a special folder out of range") << "" << "fso.GetSpecialFolder 3" << "error 5: Invalid procedure call or argument";
    QTest::newRow("GetTempName is rad, five digits, .tmp") << "" << "n = fso.GetTempName: P Left(n, 3) & Right(n, 4) & Len(n)" << "rad.tmp12";
    QTest::newRow("GetTempName takes no argument") << "" << "n = fso.GetTempName(1)" << "error 450: Wrong number of arguments or invalid property assignment";
    QTest::newRow("only the root drive exists") << "" << "P fso.DriveExists(\"/\") & \" \" & fso.DriveExists(\"C:\")" << "True False";
    QTest::newRow("drive names are empty") << "" << "P \"[\" & fso.GetDriveName(\"/x\") & \"]\"" << "[]";
    QTest::newRow("BuildPath with one argument") << "" << "P fso.BuildPath(\"a\")" << "error 450: Wrong number of arguments or invalid property assignment";
    QTest::newRow("assigning to a method") << "" << "fso.FileExists = 1" << "error 438: Object doesn't support this property or method";
    QTest::newRow("CreateTextFile without overwrite") << "" << "fso.CreateTextFile \"a.txt\", False" << "error 58: File already exists";
    QTest::newRow("CreateTextFile in a missing folder") << "" << "fso.CreateTextFile \"nowhere/x.txt\"" << "error 76: Path not found";
    QTest::newRow("OpenTextFile of a missing file") << "" << "fso.OpenTextFile \"missing.txt\"" << "error 53: File not found";
    QTest::newRow("OpenTextFile of a folder") << "" << "fso.OpenTextFile \"sub\"" << "error 70: Permission denied";
    QTest::newRow("OpenTextFile for appending to a read-only file") << "a.txt" << "fso.OpenTextFile \"a.txt\", 8" << "error 70: Permission denied";
    QTest::newRow("CreateTextFile over a read-only file") << "a.txt" << "fso.CreateTextFile \"a.txt\"" << "error 70: Permission denied";
    QTest::newRow("OpenTextFile of a read-only file for reading") << "a.txt" << "P Len(fso.OpenTextFile(\"a.txt\").ReadAll)" << "14";
    QTest::newRow("OpenTextFile with create makes the file") << "" << "Set t = fso.OpenTextFile(\"n.txt\", 8, True): t.Write \"z\": t.Close: P fso.GetFile(\"n.txt\").Size" << "1";
    QTest::newRow("Read counts characters") << "" << "Set t = fso.OpenTextFile(\"a.txt\"): P t.Read(3) & \" \" & t.Column" << "hel 4";
    QTest::newRow("Read past the end gives what is left") << "" << "Set t = fso.OpenTextFile(\"a.txt\"): P Len(t.Read(100)) & \" \" & t.AtEndOfStream" << "14 True";
    QTest::newRow("Skip then Read") << "" << "Set t = fso.OpenTextFile(\"a.txt\"): t.Skip 7: P t.Read(5) & \" \" & t.Line" << "world 2";
    QTest::newRow("SkipLine moves to the next line") << "" << "Set t = fso.OpenTextFile(\"a.txt\"): t.SkipLine: P t.ReadLine & \" \" & t.Line" << "world 3";
    QTest::newRow("AtEndOfLine before a line end") << "" << "Set t = fso.OpenTextFile(\"a.txt\"): P t.AtEndOfLine: t.Skip 5: P t.AtEndOfLine" << "False|True";
    QTest::newRow("reading past the end") << "" << "Set t = fso.OpenTextFile(\"a.txt\"): x = t.ReadAll: P t.AtEndOfStream: x = t.ReadLine" << "True|error 62: Input past end of file";
    QTest::newRow("Read of a negative count") << "" << "Set t = fso.OpenTextFile(\"a.txt\"): x = t.Read(-1)" << "error 5: Invalid procedure call or argument";
    QTest::newRow("Read without a count") << "" << "Set t = fso.OpenTextFile(\"a.txt\"): x = t.Read" << "error 450: Wrong number of arguments or invalid property assignment";
    QTest::newRow("writing to a stream open for reading") << "" << "Set t = fso.OpenTextFile(\"a.txt\"): t.Write \"x\"" << "error 54: Bad file mode";
    QTest::newRow("reading from a stream open for writing") << "" << "Set t = fso.CreateTextFile(\"n.txt\"): x = t.ReadLine" << "error 54: Bad file mode";
    QTest::newRow("a closed stream") << "" << "Set t = fso.OpenTextFile(\"a.txt\"): t.Close: x = t.ReadLine" << "error 52: Bad file name or number";
    QTest::newRow("assigning to a stream property") << "" << "Set t = fso.OpenTextFile(\"a.txt\"): t.Line = 3" << "error 438: Object doesn't support this property or method";
    QTest::newRow("WriteLine ends lines with CR LF") << "" << "Set t = fso.CreateTextFile(\"n.txt\"): t.WriteLine \"a\": t.WriteLine: t.Close: P fso.GetFile(\"n.txt\").Size" << "5";
    QTest::newRow("WriteBlankLines") << "" << "Set t = fso.CreateTextFile(\"n.txt\"): t.WriteBlankLines 2: t.Close: P Replace(fso.OpenTextFile(\"n.txt\").ReadAll, vbCrLf, \"/\")" << "//";
    QTest::newRow("Write with two arguments") << "" << "Set t = fso.CreateTextFile(\"n.txt\"): t.Write \"a\", \"b\"" << "error 450: Wrong number of arguments or invalid property assignment";
    QTest::newRow("Line and Column while writing") << "" << "Set t = fso.CreateTextFile(\"n.txt\"): t.Write \"ab\": t.WriteLine \"c\": t.Write \"d\": P t.Line & \" \" & t.Column" << "2 2";
    QTest::newRow("a lone CR ends a line") << "" << "Set t = fso.CreateTextFile(\"n.txt\"): t.Write \"a\" & vbCr & \"b\": t.Close: Set t = fso.OpenTextFile(\"n.txt\"): P t.ReadLine & t.Line & t.ReadLine" << "a2b";
    QTest::newRow("Unicode file has a byte order mark") << "" << "Set t = fso.CreateTextFile(\"u.txt\", True, True): t.Write \"ab\": t.Close: P fso.GetFile(\"u.txt\").Size" << "6";
    QTest::newRow("Unicode file reads back") << "" << "Set t = fso.CreateTextFile(\"u.txt\", True, True): t.Write \"a\" & ChrW(8364): t.Close: P AscW(Mid(fso.OpenTextFile(\"u.txt\", 1, False, -1).ReadAll, 2))" << "8364";
    QTest::newRow("Windows-1252 takes a byte a character") << "" << "Set t = fso.CreateTextFile(\"n.txt\"): t.Write ChrW(8364): t.Close: P fso.GetFile(\"n.txt\").Size & \" \" & AscW(fso.OpenTextFile(\"n.txt\").ReadAll)" << "1 8364";
    QTest::newRow("writing to a full disk") << "" << "Set t = fso.OpenTextFile(\"/dev/full\", 2): t.Write \"x\": t.Close: P \"written\"" << "error 61: Disk full";
    QTest::newRow("a file's default value is its path") << "" << "P \"[\" & fso.GetFile(\"a.txt\") & \"]\"" << "[<d>/a.txt]";
    QTest::newRow("assigning to a file's Size") << "" << "Set f = fso.GetFile(\"a.txt\"): f.Size = 3" << "error 450: Wrong number of arguments or invalid property assignment";
    QTest::newRow("Set of a file's Name") << "" << "Set f = fso.GetFile(\"a.txt\"): Set f.Name = fso" << "error 438: Object doesn't support this property or method";
    QTest::newRow("a file's Size with an argument") << "" << "x = fso.GetFile(\"a.txt\").Size(1)" << "error 450: Wrong number of arguments or invalid property assignment";
    QTest::newRow("renaming to Null") << "" << "Set f = fso.GetFile(\"a.txt\"): f.Name = Null" << "error 94: Invalid use of Null";
    QTest::newRow("attributes that are no number") << "" << "Set f = fso.GetFile(\"a.txt\"): f.Attributes = \"x\"" << "error 13: Type mismatch";
    QTest::newRow("Copy to Null") << "" << "fso.GetFile(\"a.txt\").Copy Null" << "error 94: Invalid use of Null";
    QTest::newRow("Copy with an overwrite that is no truth value") << "" << "fso.GetFile(\"a.txt\").Copy \"c.txt\", \"x\"" << "error 13: Type mismatch";
    QTest::newRow("Delete with two arguments") << "" << "fso.GetFile(\"a.txt\").Delete True, True" << "error 450: Wrong number of arguments or invalid property assignment";
    QTest::newRow("Delete with a force that is no truth value") << "" << "fso.GetFile(\"a.txt\").Delete \"x\"" << "error 13: Type mismatch";
    QTest::newRow("OpenAsTextStream with three arguments") << "" << "fso.GetFile(\"a.txt\").OpenAsTextStream 1, 0, 0" << "error 450: Wrong number of arguments or invalid property assignment";
    QTest::newRow("OpenAsTextStream with a mode that is no number") << "" << "fso.GetFile(\"a.txt\").OpenAsTextStream \"x\"" << "error 13: Type mismatch";
    QTest::newRow("folder CreateTextFile without a name") << "" << "fso.GetFolder(\"sub\").CreateTextFile" << "error 450: Wrong number of arguments or invalid property assignment";
    QTest::newRow("folder CreateTextFile with a Null name") << "" << "fso.GetFolder(\"sub\").CreateTextFile Null" << "error 94: Invalid use of Null";
    QTest::newRow("GetBaseName and GetExtensionName") << "" << "P fso.GetBaseName(\"x/a.b.txt\") & \" \" & fso.GetExtensionName(\"x/a.b.txt\") & \" [\" & fso.GetExtensionName(\"x/a\") & \"]\"" << "a.b txt []";
    QTest::newRow("path names ignore a trailing separator") << "" << "P fso.GetFileName(\"x/y//\") & \" \" & fso.GetParentFolderName(\"x/y/\")" << "y x";
    QTest::newRow("BuildPath of an empty folder") << "" << "P fso.BuildPath(\"\", \"a\") & \" \" & fso.BuildPath(\"x/\", \"a\")" << "a x/a";
    QTest::newRow("a path function with a Null path") << "" << "x = fso.FileExists(Null)" << "error 94: Invalid use of Null";
    QTest::newRow("BuildPath with a Null name") << "" << "x = fso.BuildPath(\"a\", Null)" << "error 94: Invalid use of Null";
    QTest::newRow("FileExists with two arguments") << "" << "x = fso.FileExists(\"a\", \"b\")" << "error 450: Wrong number of arguments or invalid property assignment";
    QTest::newRow("CopyFile with one argument") << "" << "fso.CopyFile \"a.txt\"" << "error 450: Wrong number of arguments or invalid property assignment";
    QTest::newRow("CopyFile to Null") << "" << "fso.CopyFile \"a.txt\", Null" << "error 94: Invalid use of Null";
    QTest::newRow("DeleteFile with a force that is no truth value") << "" << "fso.DeleteFile \"a.txt\", \"x\"" << "error 13: Type mismatch";
    QTest::newRow("CopyFile with an overwrite that is no truth value") << "" << "fso.CopyFile \"a.txt\", \"c.txt\", \"x\"" << "error 13: Type mismatch";
    QTest::newRow("GetSpecialFolder of a text") << "" << "fso.GetSpecialFolder \"x\"" << "error 13: Type mismatch";
    QTest::newRow("CreateFolder where the system refuses") << "" << "fso.CreateFolder \"/proc/vbscript-test\"" << "error 70: Permission denied";
    QTest::newRow("CreateTextFile with four arguments") << "" << "fso.CreateTextFile \"n.txt\", True, False, 1" << "error 450: Wrong number of arguments or invalid property assignment";
    QTest::newRow("OpenTextFile with a Null name") << "" << "fso.OpenTextFile Null" << "error 94: Invalid use of Null";
    QTest::newRow("OpenTextFile for reading with create makes an empty file") << "" << "Set t = fso.OpenTextFile(\"n.txt\", 1, True): P t.AtEndOfStream & \" \" & fso.GetFile(\"n.txt\").Size" << "True 0";
    QTest::newRow("Skip of a count that is no number") << "" << "Set t = fso.OpenTextFile(\"a.txt\"): t.Skip \"x\"" << "error 13: Type mismatch";
    QTest::newRow("WriteBlankLines without a count") << "" << "Set t = fso.CreateTextFile(\"n.txt\"): t.WriteBlankLines" << "error 450: Wrong number of arguments or invalid property assignment";
    QTest::newRow("WriteBlankLines of a count that is no number") << "" << "Set t = fso.CreateTextFile(\"n.txt\"): t.WriteBlankLines \"x\"" << "error 13: Type mismatch";
    QTest::newRow("Write of Null") << "" << "Set t = fso.CreateTextFile(\"n.txt\"): t.Write Null" << "error 94: Invalid use of Null";
    // clang-format on
}

void TestVBScriptFileSystem::scriptOnFilesGivesItsResult()
{
    QFETCH(QString, readOnly);
    QFETCH(QString, script);
    QFETCH(QString, result);

    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    makeWorld(folder.path());
    if (!readOnly.isEmpty()) {
        QVERIFY(QFile::setPermissions(folder.filePath(readOnly),
                                      QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    }
    QVERIFY(QDir::setCurrent(folder.path()));
    const QStringList lines =
        runVBScript(QStringLiteral("Set fso = CreateObject(\"Scripting.FileSystemObject\")\n"
                                   "Sub P(x)\n    WScript.Echo x\nEnd Sub\n")
                    + script);
    QVERIFY(QDir::setCurrent(m_home));
    QCOMPARE(lines.join(QLatin1Char('|')).replace(folder.path(), QStringLiteral("<d>")), result);
}

TAVRIX_TEST_GUILESS_MAIN(TestVBScriptFileSystem)
#include "tst_vbscriptfilesystem.moc"
