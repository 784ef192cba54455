// Encodes the candidates and the xz -9e reference on two threads and keeps the smallest.
#include "candidates.h"

#include <atomic>
#include <thread>

#include "lzma_codec.h"

namespace {

struct LiteralSetting {
  uint32_t lc, lp, pb;
};

// (3,0,2) is xz's default; lp=2/pb=2 suits 32-bit x86 code, which the image mostly is;
// (0,0,0) and (2,0,0) help for data with little byte-level structure.
const LiteralSetting kLiteralSettings[] = {{3, 0, 2}, {0, 2, 2}, {1, 2, 2}, {0, 0, 0}, {2, 0, 0}};

// 512 is what preset 9e uses; 0 lets liblzma pick a shallower search.
const uint32_t kDepths[] = {512, 0};

struct Job {
  lzma_options_lzma options;
  bool is_reference = false;
  bool ok = false;
  std::vector<uint8_t> stream;
  uint64_t reference_size = 0;
  std::string error;
};

void RunJob(const std::vector<uint8_t>& image, Job& job) {
  if (job.is_reference) {
    job.ok = ReferenceStreamSize(image, job.reference_size, job.error);
  } else {
    job.ok = EncodeRawLzma1(image, job.options, job.stream, job.error);
  }
}

void RunJobs(const std::vector<uint8_t>& image, std::vector<Job>& jobs) {
  std::atomic<size_t> next{0};
  auto worker = [&] {
    for (size_t i; (i = next.fetch_add(1)) < jobs.size();) RunJob(image, jobs[i]);
  };
  std::thread helper(worker);
  worker();
  helper.join();
}

}  // namespace

std::vector<lzma_options_lzma> CandidateOptions(uint64_t image_size, bool fast) {
  // Preset 9e with the dictionary capped comes first: it is the one expected to match xz.
  lzma_options_lzma base;
  lzma_lzma_preset(&base, 9 | LZMA_PRESET_EXTREME);
  base.dict_size = NiceDictSize(image_size);

  std::vector<lzma_options_lzma> out;
  if (fast) {
    base.depth = 0;
    out.push_back(base);
    return out;
  }
  out.push_back(base);
  for (uint32_t depth : kDepths) {
    for (const LiteralSetting& s : kLiteralSettings) {
      lzma_options_lzma o = base;
      o.lc = s.lc;
      o.lp = s.lp;
      o.pb = s.pb;
      o.depth = depth;
      const bool same_as_base =
          o.lc == base.lc && o.lp == base.lp && o.pb == base.pb && o.depth == base.depth;
      if (!same_as_base) out.push_back(o);
    }
  }
  return out;
}

bool ChooseEncoding(const std::vector<uint8_t>& image, bool fast, EncodingChoice& choice,
                    std::string& error) {
  std::vector<Job> jobs;
  if (!fast) {
    // The reference is the slowest job (64 MiB dictionary), so it starts first.
    Job reference;
    reference.is_reference = true;
    jobs.push_back(reference);
  }
  for (const lzma_options_lzma& o : CandidateOptions(image.size(), fast)) {
    Job job;
    job.options = o;
    jobs.push_back(job);
  }
  RunJobs(image, jobs);

  const Job* best = nullptr;
  for (const Job& job : jobs) {
    if (!job.ok) {
      error = job.error;
      return false;
    }
    if (job.is_reference) {
      choice.has_reference = true;
      choice.reference_size = job.reference_size;
    } else if (!best || job.stream.size() < best->stream.size()) {
      best = &job;  // strict '<': ties keep the earlier, more conventional candidate
    }
  }
  if (choice.has_reference && best->stream.size() > choice.reference_size) {
    error = "every candidate stream is larger than xz -9e's (" + std::to_string(best->stream.size()) +
            " > " + std::to_string(choice.reference_size) + " bytes)";
    return false;
  }
  choice.options = best->options;
  choice.stream = best->stream;
  return true;
}
