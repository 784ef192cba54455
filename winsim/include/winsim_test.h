/// \file
/// winsim's test-control interface: reset, fault injection, scripted platform answers and
/// inspection. Included by tests only, never by product code.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace winsim {

// A fresh world: an empty sandbox folder with drive C: (100 GiB free), current folder C:\,
// no faults, no resource overrides, last error 0, call counters at 0.
void Reset();

// --- Fault injection ---------------------------------------------------------------------
// Operations are named as the platform names them ("CreateFileW", "WriteFile", "HeapAlloc",
// "FindResourceW", ...). Counting starts when the fault is registered: nth 1 is the next call.
void FailCall(const char *op, unsigned nth, DWORD error);
// Every call of op whose path argument names this Windows path (compared as the platform would).
void FailPath(const char *op, const std::string &path, DWORD error);
// Every HeapAlloc of at least this many bytes fails (0 switches it off).
void FailAllocationsFrom(size_t bytes);
// The nth WriteFile from now writes only `bytes` bytes and still reports success.
void ShortWrite(unsigned nth, DWORD bytes);
// How many times op has been called since the last Reset.
unsigned CallCount(const char *op);

// --- Resources ---------------------------------------------------------------------------
// Replace (or add) the resource of this type and integer id with these bytes.
void SetResource(LPCWSTR type, WORD id, const void *data, size_t size);
// Make the resource of this type and integer id disappear.
void RemoveResource(LPCWSTR type, WORD id);
// The embedded resource's bytes, or an empty vector.
std::vector<uint8_t> ResourceBytes(LPCWSTR type, WORD id);

// --- File system -------------------------------------------------------------------------
void AddDrive(char letter, uint64_t free_bytes);
void SetFreeSpace(char letter, uint64_t free_bytes);
void AddShare(const std::string &server, const std::string &share, uint64_t free_bytes);
// The process's current folder, against which relative and rooted paths resolve.
void SetCurrentFolder(const std::string &path);
// Host path of a Windows path (existing components resolved case-insensitively).
std::string HostPath(const std::string &path);
bool FileExists(const std::string &path);
bool FolderExists(const std::string &path);
bool ReadWholeFile(const std::string &path, std::vector<uint8_t> *bytes);
// Creates the file and any missing folders (a test fixture, not a platform call).
void WriteWholeFile(const std::string &path, const std::vector<uint8_t> &bytes);
uint64_t LastWriteTime(const std::string &path);
uint64_t CreationTime(const std::string &path);
size_t OpenHandleCount();

// --- Heap --------------------------------------------------------------------------------
size_t HeapBlocksInUse();

// --- Strings -----------------------------------------------------------------------------
std::string Utf8(LPCWSTR text);
std::vector<WCHAR> Wide(const std::string &utf8);  // terminated

}  // namespace winsim

// The window, dialog, message and GUI side of the test-control interface.
#include "winsim_test_user.h"
// Registry, shell folders, folder picker, COM shell links, Administrators test.
#include "winsim_test_system.h"
#include "winsim_test_uninstall.h"
