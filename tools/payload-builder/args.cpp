// Parses payload-builder's options and checks that they fit together.
#include "args.h"

#include <cstring>

#include "image.h"

namespace {

// Options that take a value; the value is the next argument.
std::string* ValueSlot(const char* name, BuilderArgs& args) {
  if (std::strcmp(name, "--resource") == 0) return &args.resource_path;
  if (std::strcmp(name, "--numbers") == 0) return &args.numbers_path;
  if (std::strcmp(name, "--image") == 0) return &args.image_path;
  if (std::strcmp(name, "--from-image") == 0) return &args.from_image_path;
  return nullptr;
}

}  // namespace

ArgsResult ParseArgs(int argc, char** argv, BuilderArgs& args, std::string& error) {
  bool options_done = false;
  for (int i = 1; i < argc; ++i) {
    const char* arg = argv[i];
    if (options_done || arg[0] != '-' || arg[1] == '\0') {
      args.entries.push_back(arg);
      continue;
    }
    if (std::strcmp(arg, "--") == 0) {
      options_done = true;
    } else if (std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0) {
      return ArgsResult::kHelp;
    } else if (std::strcmp(arg, "--fast") == 0) {
      args.fast = true;
    } else if (std::string* slot = ValueSlot(arg, args)) {
      if (i + 1 >= argc || argv[i + 1][0] == '\0') {
        error = std::string(arg) + " needs a value";
        return ArgsResult::kUsageError;
      }
      *slot = argv[++i];
    } else {
      error = std::string("unknown option ") + arg;
      return ArgsResult::kUsageError;
    }
  }

  if (args.resource_path.empty()) {
    error = "--resource OUT is required";
    return ArgsResult::kUsageError;
  }
  if (!args.from_image_path.empty()) {
    if (!args.entries.empty()) {
      error = "--from-image takes no entries";
      return ArgsResult::kUsageError;
    }
  } else if (args.entries.size() != kPayloadRows) {
    error = "expected " + std::to_string(kPayloadRows) + " entries, got " +
            std::to_string(args.entries.size());
    return ArgsResult::kUsageError;
  }
  return ArgsResult::kRun;
}

const char* HelpText() {
  return
      "usage: payload-builder [options] ENTRY0 ... ENTRY9\n"
      "       payload-builder [options] --from-image IN\n"
      "\n"
      "Builds the installer's payload (RCDATA 102): a 120-byte table of ten rows\n"
      "(size, FILETIME low, FILETIME high) followed by the ten entries' bytes,\n"
      "stored as 5 LZMA property bytes and one raw LZMA1 stream with end marker.\n"
      "\n"
      "Entries, in row order (0 licence, 1..8 the component programs, 9 uninstaller):\n"
      "  FILE[@FILETIME]         the bytes of FILE\n"
      "  filler:SIZE[@FILETIME]  SIZE reproducible pseudo-random bytes seeded by the\n"
      "                          row number (for test fixtures)\n"
      "  FILETIME is a decimal 64-bit FILETIME (100-ns units since 1601-01-01 UTC),\n"
      "  allowed only on rows 1..8; rows without it get 0. A trailing '@' followed\n"
      "  by digits is always read as FILETIME.\n"
      "\n"
      "Options:\n"
      "  --resource OUT     write the resource bytes (required)\n"
      "  --numbers OUT.cpp  write the C++ source defining PAYLOAD_RESOURCE_SIZE,\n"
      "                     PAYLOAD_IMAGE_SIZE and PAYLOAD_IMAGE_CHECKSUM\n"
      "  --image OUT        also write the decoded image\n"
      "  --from-image IN    take the image from IN verbatim instead of from entries\n"
      "  --fast             encode one candidate only and skip the xz -9e reference\n"
      "  --help, -h         show this text\n"
      "  --                 the remaining arguments are entries\n"
      "\n"
      "The image may be at most 4 MiB. Without --fast, several LZMA settings are\n"
      "tried and the smallest stream kept; it must not be larger than the stream\n"
      "xz --format=lzma -9e makes of the same image.\n"
      "\n"
      "Exit status: 0 done, 1 I/O, size or compression error, 2 usage error.\n";
}
