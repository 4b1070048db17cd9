#pragma once

#include <string>
#include <vector>

// The name of the backup copy of a file: its extension gets a "~" after the dot and is cut to
// four characters (.bin gives .~bi, a lone dot gives .~); a name without an extension gets ".~".
// A dot followed by a folder separator ("/", or "\" and ":" of foreign names) is no extension.
std::string BackupName(const std::string& name);

// The folder of a file name without the final "/"; "/" itself for a file in the root, empty for
// a name without a folder.
std::string FolderOfFile(const std::string& name);

// The local files of a drop's "text/uri-list", in their order, each name as the bytes its
// percent escapes stand for (a Linux file name need not be UTF-8). Lines that are comments,
// other schemes or files on other hosts are left out.
std::vector<std::string> LocalFilesOfUriList(const std::string& uriList);

// The name made absolute and clean ("." and "//" gone, ".." taken back where that names the
// same file), as the documents list and title show it. Symbolic links stay as the user named
// them: the title, the recent files and the last folder show the link, while reading and
// writing go through it. A name that does not exist comes back unchanged.
std::string ExpandLongName(const std::string& name);
