// Command line of payload-builder: what the user asked for, before any file is touched.
#pragma once
#include <string>
#include <vector>

struct BuilderArgs {
  std::vector<std::string> entries;  // ENTRY0..ENTRY9 as typed
  std::string resource_path;         // --resource
  std::string numbers_path;          // --numbers (empty: not written)
  std::string image_path;            // --image (empty: not written)
  std::string from_image_path;       // --from-image (empty: build from entries)
  bool fast = false;                 // --fast
};

enum class ArgsResult { kRun, kHelp, kUsageError };

ArgsResult ParseArgs(int argc, char** argv, BuilderArgs& args, std::string& error);

const char* HelpText();
