/* Reading the program's own resources and the files they are built from. */
#ifndef NMZAV_TESTS_RESOURCES_CARRIED_H
#define NMZAV_TESTS_RESOURCES_CARRIED_H

#include <windows.h>
#include <string>

/* The bytes of a resource of this executable; empty when it is missing. */
std::string ResourceBytes(LPCSTR name, LPCSTR type);
/* The file a carried resource is built from (a picture or a generated page),
   or its copy in the folder "carried" beside this executable. */
std::string SourcePath(const char *fileName);

/* Little-endian fields of a file image. */
unsigned Word(const std::string &bytes, size_t offset);
unsigned Dword(const std::string &bytes, size_t offset);

#endif
