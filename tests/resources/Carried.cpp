/* Resource bytes and source paths shared by the resource tests. The build
   passes the folders of the pictures and of the generated pages; a copy of
   those files in the folder "carried" beside the executable (as the Windows
   bundle has it, with no drive of the build machine) comes first. */
#include "Carried.h"

std::string ResourceBytes(LPCSTR name, LPCSTR type)
{
    HRSRC found = FindResourceA(NULL, name, type);
    if (found == NULL)
        return std::string();
    HGLOBAL loaded = LoadResource(NULL, found);
    const char *data = static_cast<const char *>(LockResource(loaded));
    if (data == NULL)
        return std::string();
    return std::string(data, SizeofResource(NULL, found));
}

std::string SourcePath(const char *fileName)
{
    char self[MAX_PATH];
    DWORD length = GetModuleFileNameA(NULL, self, MAX_PATH);
    std::string name = fileName, beside(self, length < MAX_PATH ? length : 0);
    beside = beside.substr(0, beside.rfind('\\') + 1) + "carried\\" + name;
    if (GetFileAttributesA(beside.c_str()) != INVALID_FILE_ATTRIBUTES)
        return beside;
    bool picture = name.size() > 4 && (name.compare(name.size() - 4, 4, ".ICO") == 0 ||
                                       name.compare(name.size() - 4, 4, ".ico") == 0 ||
                                       name.compare(name.size() - 4, 4, ".bmp") == 0);
    return std::string(picture ? NMZAV_ART_DIR : NMZAV_CONTENT_DIR) + "\\" + name;
}

unsigned Word(const std::string &bytes, size_t offset)
{
    if (offset + 2 > bytes.size())
        return 0xFFFFFFFF;
    return static_cast<unsigned char>(bytes[offset]) |
           static_cast<unsigned char>(bytes[offset + 1]) << 8;
}

unsigned Dword(const std::string &bytes, size_t offset)
{
    if (offset + 4 > bytes.size())
        return 0xFFFFFFFF;
    return Word(bytes, offset) | Word(bytes, offset + 2) << 16;
}
