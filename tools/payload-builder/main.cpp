// payload-builder: makes the installer's payload resource (RCDATA 102) and the numbers
// the installer checks it against. See --help.
#include <cstdio>
#include <string>
#include <vector>

#include "args.h"
#include "candidates.h"
#include "entry_data.h"
#include "file_io.h"
#include "image.h"
#include "outputs.h"

namespace {

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

int Fail(const std::string& message, int code) {
  std::fprintf(stderr, "payload-builder: %s\n", message.c_str());
  if (code == kExitUsage) std::fprintf(stderr, "Try 'payload-builder --help'.\n");
  return code;
}

// The image from ten entries; a usage error is reported as such, I/O and size as failure.
int MakeImage(const BuilderArgs& args, std::vector<uint8_t>& image) {
  std::string error;
  if (!args.from_image_path.empty()) {
    if (!ReadWholeFile(args.from_image_path, kPayloadMaxImageSize, image, error)) {
      return Fail(error, kExitFailure);
    }
    return 0;
  }
  std::vector<EntrySpec> specs(args.entries.size());
  for (size_t row = 0; row < specs.size(); ++row) {
    if (!ParseEntrySpec(args.entries[row], static_cast<unsigned>(row), specs[row], error)) {
      return Fail(error, kExitUsage);
    }
  }
  std::vector<PayloadEntry> entries;
  if (!LoadEntries(specs, entries, error)) return Fail(error, kExitFailure);
  image = BuildImage(entries);
  return 0;
}

bool WriteOutput(const std::string& path, const void* data, size_t size, std::string& error) {
  return path.empty() || WriteFileReplacing(path, data, size, error);
}

}  // namespace

int main(int argc, char** argv) {
  BuilderArgs args;
  std::string error;
  switch (ParseArgs(argc, argv, args, error)) {
    case ArgsResult::kHelp:
      std::fputs(HelpText(), stdout);
      return 0;
    case ArgsResult::kUsageError:
      return Fail(error, kExitUsage);
    case ArgsResult::kRun:
      break;
  }

  std::vector<uint8_t> image;
  if (int code = MakeImage(args, image)) return code;

  EncodingChoice choice;
  std::vector<uint8_t> resource;
  if (!ChooseEncoding(image, args.fast, choice, error) ||
      !ResourceBytes(choice, resource, error)) {
    return Fail(error, kExitFailure);
  }

  PayloadNumbers numbers;
  numbers.resource_size = static_cast<uint32_t>(resource.size());
  numbers.image_size = static_cast<uint32_t>(image.size());
  numbers.image_checksum = PayloadChecksum(image.data(), image.size());
  const std::string source = NumbersSource(numbers);

  if (!WriteOutput(args.resource_path, resource.data(), resource.size(), error) ||
      !WriteOutput(args.image_path, image.data(), image.size(), error) ||
      !WriteOutput(args.numbers_path, source.data(), source.size(), error)) {
    return Fail(error, kExitFailure);
  }
  std::fputs(Summary(numbers, choice).c_str(), stdout);
  return 0;
}
