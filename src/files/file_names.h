#pragma once

#include <string>

// The name of the backup copy of a file: its extension gets a "~" after the dot and is cut to
// four characters (.bin gives .~bi, a lone dot gives .~); a name without an extension gets ".~".
// A dot followed by a folder separator ("/", or "\" and ":" of foreign names) is no extension.
std::string BackupName(const std::string& name);

// The folder of a file name without the final "/"; "/" itself for a file in the root, empty for
// a name without a folder.
std::string FolderOfFile(const std::string& name);
