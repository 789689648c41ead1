' Scripting.FileSystemObject: folders, text files, copies and moves, paths, errors.
Dim fso, f, t, folder, item, x
Set fso = CreateObject("Scripting.FileSystemObject")
fso.CreateFolder "work"
WScript.Echo fso.FolderExists("work"), fso.FileExists("work")
Set t = fso.CreateTextFile("work/notes.txt")
t.WriteLine "first line"
t.Write "second"
t.WriteLine
t.WriteBlankLines 1
t.WriteLine "third"
WScript.Echo t.Line
t.Close
Set t = fso.OpenTextFile("work/notes.txt")
WScript.Echo t.ReadLine, t.Line
WScript.Echo t.ReadLine, "[" & t.ReadLine & "]", t.ReadLine, t.AtEndOfStream
t.Close
Set t = fso.OpenTextFile("work/notes.txt", 8)
t.WriteLine "fourth"
t.Close
Set t = fso.OpenTextFile("work/notes.txt", 1)
WScript.Echo t.Read(5), t.Column
t.SkipLine
WScript.Echo t.ReadLine, Len(t.ReadAll)
t.Close
Set f = fso.GetFile("work/notes.txt")
WScript.Echo f.Name, f.Size, fso.GetExtensionName(f.Path), fso.GetBaseName(f.Path), f.ParentFolder.Name, f.Type
f.Copy "work/copy.txt"
fso.MoveFile "work/copy.txt", "work/moved.txt"
WScript.Echo fso.FileExists("work/copy.txt"), fso.FileExists("work/moved.txt")
Set folder = fso.GetFolder("work")
WScript.Echo folder.Files.Count, folder.SubFolders.Count, folder.Name, folder.Size
For Each item In folder.Files
    WScript.Echo item.Name, TypeName(item)
Next
folder.SubFolders.Add "inner"
fso.CopyFile "work/*.txt", "work/inner/"
WScript.Echo fso.GetFolder("work/inner").Files.Count
fso.DeleteFile "work/*.txt"
WScript.Echo folder.Files.Count, folder.SubFolders.Count
WScript.Echo fso.BuildPath("a/b", "c.txt"), fso.BuildPath("a/", "c.txt"), fso.GetParentFolderName("/x/y/z.txt"), fso.GetFileName("/x/y/z.txt")
Set t = folder.CreateTextFile("unicode.txt", True, True): t.Write "€": t.Close
WScript.Echo fso.GetFile("work/unicode.txt").Size, fso.OpenTextFile("work/unicode.txt", 1, False, -1).ReadAll = "€"
Set t = fso.CreateTextFile("work/ansi.txt"): t.Write Chr(128): t.Close
WScript.Echo fso.GetFile("work/ansi.txt").Size, AscW(fso.OpenTextFile("work/ansi.txt").ReadAll)
On Error Resume Next
Set t = fso.OpenTextFile("work/missing.txt"): WScript.Echo Err.Number, Err.Description: Err.Clear
fso.CreateFolder "work": WScript.Echo Err.Number, Err.Description: Err.Clear
Set f = fso.GetFolder("nowhere"): WScript.Echo Err.Number, Err.Description: Err.Clear
Set f = fso.GetFile("work/missing.txt"): WScript.Echo Err.Number: Err.Clear
Set t = fso.CreateTextFile("work/ansi.txt", False): WScript.Echo Err.Number: Err.Clear
Set t = fso.CreateTextFile("work/empty.txt"): x = t.ReadLine: WScript.Echo Err.Number, Err.Description: Err.Clear
t.Close: t.Write "x": WScript.Echo Err.Number: Err.Clear
Set t = fso.OpenTextFile("work/empty.txt"): x = t.ReadAll: WScript.Echo Err.Number, Err.Description: Err.Clear
fso.DeleteFile "work/nothing*.txt": WScript.Echo Err.Number: Err.Clear
On Error GoTo 0
fso.DeleteFolder "work"
WScript.Echo fso.FolderExists("work")
