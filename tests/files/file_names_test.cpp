#include "files/file_names.h"

#include <gtest/gtest.h>

namespace {

TEST(FileNames, BackupName) {
    const std::pair<const char*, const char*> cases[] = {
        {"C:\\Data\\image.bin", "C:\\Data\\image.~bi"},
        {"C:\\Data\\README", "C:\\Data\\README.~"},
        {"archive.tar.gz", "archive.tar.~gz"},
        {"C:\\Version 1.2\\notes", "C:\\Version 1.2\\notes.~"},
        {"/data/image.bin", "/data/image.~bi"},
        {"/data/README", "/data/README.~"},
        {"/home/u/archive.tar.gz", "/home/u/archive.tar.~gz"},
        {"/home/u/Version 1.2/notes", "/home/u/Version 1.2/notes.~"},
        {"/srv/v1.2/sub/x.c", "/srv/v1.2/sub/x.~c"},
        {"page.html", "page.~ht"},
        {"report.txt", "report.~tx"},
        {"trailing.", "trailing.~"},
        {"/home/u/.profile", "/home/u/.~pr"},
        {"x.~tx", "x.~~t"},
        {"", ".~"},
        {"note.a\xC3\xBC", "note.~a\xC3\xBC"},                       // a, u-umlaut
        {"note.\xC3\xA4\xC3\xB6\xC3\xBC", "note.~\xC3\xA4\xC3\xB6"}, // three umlauts
        {"x.\xE2\x82\xACuro", "x.~\xE2\x82\xACu"},                   // euro sign, 3 bytes
        {"x.\xF0\x9F\x98\x80zz", "x.~\xF0\x9F\x98\x80z"},            // 4 bytes
        {"x.\xFF\xFEzz", "x.~\xFF\xFE"},                             // not UTF-8: bytes
        {"x.\xC3", "x.~\xC3"},                                       // a cut-off character
    };
    for (const auto& [name, backup] : cases) {
        EXPECT_EQ(BackupName(name), backup) << name;
    }
}

TEST(FileNames, LocalFilesOfAUriList) {
    const std::string list = "# a comment\r\n"
                             "file:///home/u/a%20b.bin\r\n"
                             "file:///data/%FF%FE.bin\r\n" // not UTF-8: the bytes themselves
                             "file://localhost/etc/x%2Fy\n"
                             "file://otherhost/remote.bin\r\n"
                             "https://example.com/page\r\n"
                             "FILE:/short/form?query#part\r\n"
                             "file:///unfinished%4\r\n"
                             "\r\n"
                             "file:///last";
    const std::vector<std::string> expected = {"/home/u/a b.bin", "/data/\xFF\xFE.bin", "/etc/x/y",
                                               "/short/form",     "/unfinished%4",      "/last"};
    EXPECT_EQ(LocalFilesOfUriList(list), expected);
    EXPECT_TRUE(LocalFilesOfUriList("").empty());
}

TEST(FileNames, FolderOfFile) {
    const std::pair<const char*, const char*> cases[] = {
        {"/home/u/a.bin", "/home/u"}, {"/a.bin", "/"}, {"/home/u//a.bin", "/home/u"}, {"a.bin", ""},
        {"sub/a.bin", "sub"},         {"", ""},
    };
    for (const auto& [name, folder] : cases) {
        EXPECT_EQ(FolderOfFile(name), folder) << name;
    }
}

} // namespace
