#include "model/MemoryNamespace.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using TNode = TMemoryNamespace::TNode;

std::vector<std::u16string> ChildNames(TNamespaceFolder& folder) {
    std::vector<std::u16string> names;
    auto children = folder.EnumerateChildren();
    while (TOwnedIDList child = children ? children->Next() : TOwnedIDList())
        names.push_back(folder.DisplayName(child.Get(), TNameKind::Normal));
    return names;
}

TOwnedIDList ChildList(TMemoryNamespace& shell, TNode node) {
    return TOwnedIDList(CloneLastIDListItem(shell.AbsoluteIDList(node).Get()));
}

class MemoryNamespace : public ::testing::Test {
protected:
    MemoryNamespace() {
        Drive = Shell.AddDrive(u'C', u"Local Disk");
        Data = Shell.AddFolder(Drive, u"Data", 1000);
        Report = Shell.AddFile(Data, u"Отчёт.txt", 1234, 5000);
        Hidden = Shell.AddFile(Data, u"secret", 1, 2, FileAttrHidden | FileAttrSystem);
        Panel = Shell.AddVirtual(Shell.ComputerNode(), u"Control Panel", u"::{26EE0668}", true);
        DataFolder = Shell.BindToFolder(Shell.AbsoluteIDList(Data).Get());
    }

    TMemoryNamespace Shell;
    TNode Drive, Data, Report, Hidden, Panel;
    std::shared_ptr<TNamespaceFolder> DataFolder;
};

} // namespace

TEST_F(MemoryNamespace, SpecialFoldersBindAndEnumerate) {
    TOwnedIDList desktop = Shell.SpecialFolder(TSpecialFolder::Desktop);
    EXPECT_TRUE(IsEmptyIDList(desktop.Get()));
    EXPECT_EQ(Shell.BindToFolder(desktop.Get()), Shell.Desktop());
    EXPECT_EQ(ChildNames(*Shell.Desktop()),
              (std::vector<std::u16string>{u"Computer", u"Recycle Bin"}));
    auto computer = Shell.BindToFolder(Shell.SpecialFolder(TSpecialFolder::Computer).Get());
    EXPECT_EQ(ChildNames(*computer),
              (std::vector<std::u16string>{u"Local Disk (C:)", u"Control Panel"}));
    EXPECT_TRUE(Shell.BindToFolder(Shell.SpecialFolder(TSpecialFolder::RecycleBin).Get()));
    EXPECT_FALSE(computer->SameKind(*Shell.Desktop()));
    EXPECT_TRUE(computer->SameKind(*DataFolder));
}

TEST_F(MemoryNamespace, NamesFollowRenamesAndFailOnDemand) {
    TOwnedIDList report = ChildList(Shell, Report);
    EXPECT_EQ(DataFolder->DisplayName(report.Get(), TNameKind::Parsing), u"C:\\Data\\Отчёт.txt");
    EXPECT_EQ(ChildNames(*DataFolder), (std::vector<std::u16string>{u"Отчёт.txt", u"secret"}));
    Shell.Rename(Data, u"Данные");
    EXPECT_EQ(DataFolder->DisplayName(report.Get(), TNameKind::Parsing), u"C:\\Данные\\Отчёт.txt");
    EXPECT_EQ(Shell.NodeOf(Shell.ParseName(u"c:\\данные\\ОТЧЁТ.TXT").Get()), Report);
    Shell.SetNamesFail(Report, true);
    EXPECT_EQ(DataFolder->DisplayName(report.Get(), TNameKind::Normal), u"");
    // An item of another folder is not this folder's child.
    EXPECT_EQ(DataFolder->DisplayName(ChildList(Shell, Panel).Get(), TNameKind::Normal), u"");
}

TEST_F(MemoryNamespace, FolderTestFileDataAndTheirFailures) {
    TOwnedIDList report = ChildList(Shell, Report);
    TFileData data;
    ASSERT_TRUE(DataFolder->FileData(report.Get(), data));
    EXPECT_EQ(data.Size, 1234u);
    EXPECT_EQ(data.WriteTime, 5000u);
    uint32_t mask = AttrHidden | AttrFolder;
    EXPECT_TRUE(DataFolder->QueryAttributes(ChildList(Shell, Hidden).Get(), mask));
    EXPECT_EQ(mask, AttrHidden);

    EXPECT_EQ(FolderKind(DataFolder.get(), report.Get()), TFolderKind::NotFolder);
    EXPECT_TRUE(IsFileSystem(DataFolder.get(), report.Get()));
    EXPECT_EQ(FolderKind(nullptr, report.Get()), TFolderKind::NoFolderObject);
    // An unanswered question counts as a folder, but never as the file system.
    Shell.SetAttributesFail(Report, true);
    EXPECT_EQ(FolderKind(DataFolder.get(), report.Get()), TFolderKind::Folder);
    EXPECT_FALSE(IsFileSystem(DataFolder.get(), report.Get()));

    auto computer = Shell.BindToFolder(Shell.SpecialFolder(TSpecialFolder::Computer).Get());
    EXPECT_FALSE(computer->FileData(ChildList(Shell, Panel).Get(), data));
    EXPECT_FALSE(IsFileSystem(computer.get(), ChildList(Shell, Panel).Get()));
}

TEST_F(MemoryNamespace, BindingParentsFilesAndForeignLists) {
    TOwnedIDList report = Shell.AbsoluteIDList(Report);
    TParentAndChild parent = Shell.BindToParent(report.Get());
    EXPECT_EQ(parent.Child, LastIDListItem(report.Get()));
    EXPECT_EQ(parent.Parent->DisplayName(parent.Child, TNameKind::Normal), u"Отчёт.txt");
    TParentAndChild top = Shell.BindToParent(Shell.SpecialFolder(TSpecialFolder::Desktop).Get());
    EXPECT_EQ(top.Parent, Shell.Desktop());

    EXPECT_FALSE(Shell.BindToFolder(report.Get()));
    const uint8_t foreign[] = {4, 0, 'X', 'Y', 0, 0};
    EXPECT_FALSE(Shell.BindToFolder(reinterpret_cast<const TIDList*>(foreign)));
    Shell.Remove(Data);
    EXPECT_FALSE(Shell.BindToFolder(Shell.AbsoluteIDList(Data).Get()));
    EXPECT_FALSE(DataFolder->EnumerateChildren());
}

TEST_F(MemoryNamespace, EnumerationFailsOrChangesBetweenReads) {
    Shell.SetEnumerationFails(Data, true);
    EXPECT_FALSE(DataFolder->EnumerateChildren());
    Shell.SetEnumerationFails(Data, false);
    int reads = 0;
    Shell.OnEnumerate = [&](TNode folder) {
        if (folder == Data && ++reads == 2)
            Shell.AddFile(Data, u"late.txt", 0, 0);
    };
    EXPECT_EQ(ChildNames(*DataFolder).size(), 2u);
    EXPECT_EQ(ChildNames(*DataFolder).size(), 3u);
}

TEST_F(MemoryNamespace, LaunchRetriesLoudlyOnce) {
    TOwnedIDList report = Shell.AbsoluteIDList(Report);
    Shell.QuietExecuteSucceeds = false;
    EXPECT_TRUE(Launch(Shell, report.Get()));
    ASSERT_EQ(Shell.Executions.size(), 2u);
    EXPECT_TRUE(Shell.Executions[0].Quietly);
    EXPECT_FALSE(Shell.Executions[1].Quietly);
    EXPECT_EQ(Shell.Executions[1].Node, Report);
}
