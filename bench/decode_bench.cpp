// The installer's payload decoding (DecodePayloadStream, then PayloadChecksum over the image)
// against liblzma's own .lzma decoder on the same stream, with the 8-byte size field put back
// (all 0xFF: size unknown, end marker present).
//
// usage: decode_bench PAYLOAD.bin [benchmark flags]
#include <benchmark/benchmark.h>
#include <lzma.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "payload/payload.h"

namespace {

std::vector<BYTE> g_stored;     // the resource: 5 property bytes and the raw stream
std::vector<BYTE> g_alone;      // the same as an .lzma file
std::vector<BYTE> g_out(OUTPUT_BUFFER_CAPACITY);

void InstallerDecode(benchmark::State &state) {
  DWORD produced = 0;
  for (auto _ : state) {
    produced = DecodePayloadStream(g_stored.data(), (DWORD)g_stored.size(), g_out.data(), OUTPUT_BUFFER_CAPACITY);
    benchmark::DoNotOptimize(PayloadChecksum(g_out.data(), produced));
  }
  state.SetBytesProcessed((int64_t)state.iterations() * produced);
}

// The decoder call alone, without the checksum: what liblzma's part of the work costs here.
void InstallerDecodeOnly(benchmark::State &state) {
  DWORD produced = 0;
  for (auto _ : state) {
    produced = DecodePayloadStream(g_stored.data(), (DWORD)g_stored.size(), g_out.data(), OUTPUT_BUFFER_CAPACITY);
    benchmark::DoNotOptimize(g_out.data());
  }
  state.SetBytesProcessed((int64_t)state.iterations() * produced);
}

void LiblzmaAloneDecoder(benchmark::State &state) {
  size_t produced = 0;
  for (auto _ : state) {
    lzma_stream stream = LZMA_STREAM_INIT;
    if (lzma_alone_decoder(&stream, UINT64_MAX) != LZMA_OK) {
      state.SkipWithError("lzma_alone_decoder failed");
      break;
    }
    stream.next_in = g_alone.data();
    stream.avail_in = g_alone.size();
    stream.next_out = g_out.data();
    stream.avail_out = g_out.size();
    lzma_ret ret = lzma_code(&stream, LZMA_FINISH);
    produced = stream.total_out;
    lzma_end(&stream);
    if (ret != LZMA_STREAM_END) {
      state.SkipWithError("the reference decoder did not reach the end marker");
      break;
    }
    benchmark::DoNotOptimize(g_out.data());
  }
  state.SetBytesProcessed((int64_t)(state.iterations() * produced));
}

BENCHMARK(InstallerDecode)->Unit(benchmark::kMicrosecond);
BENCHMARK(InstallerDecodeOnly)->Unit(benchmark::kMicrosecond);
BENCHMARK(LiblzmaAloneDecoder)->Unit(benchmark::kMicrosecond);

bool Load(const char *path) {
  FILE *f = std::fopen(path, "rb");
  if (!f) return false;
  int c;
  while ((c = std::fgetc(f)) != EOF) g_stored.push_back((BYTE)c);
  std::fclose(f);
  if (g_stored.size() < PAYLOAD_PROPERTIES_SIZE) return false;
  g_alone.assign(g_stored.begin(), g_stored.begin() + PAYLOAD_PROPERTIES_SIZE);
  g_alone.insert(g_alone.end(), 8, 0xFF);
  g_alone.insert(g_alone.end(), g_stored.begin() + PAYLOAD_PROPERTIES_SIZE, g_stored.end());
  return true;
}

}  // namespace

int main(int argc, char **argv) {
  if (argc < 2 || !Load(argv[1])) {
    std::fprintf(stderr, "usage: decode_bench PAYLOAD.bin [benchmark flags]\n");
    return 2;
  }
  argv[1] = argv[0];
  --argc;
  ++argv;
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
