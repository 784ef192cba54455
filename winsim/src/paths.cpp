/// \file
/// Maps a Windows path to a host path inside the sandbox, resolving each existing component
/// case-insensitively, as the platform's file system compares names.
#include "paths.h"

#include <winsim_test.h>

#include <dirent.h>
#include <sys/stat.h>

namespace winsim {
namespace {

bool IsSep(char c) { return c == '\\' || c == '/'; }

bool ValidName(const std::string &name) {
  for (unsigned char c : name)
    if (c < 32 || c == '<' || c == '>' || c == ':' || c == '"' || c == '|' || c == '?' || c == '*')
      return false;
  return true;
}

// Finds an entry of folder `dir` whose name equals `name` ignoring ASCII case.
bool FindEntry(const std::string &dir, const std::string &name, std::string *actual) {
  DIR *d = opendir(dir.c_str());
  if (!d) return false;
  std::string want = Lower(name);
  bool found = false;
  while (struct dirent *e = readdir(d)) {
    if (Lower(e->d_name) == want) {
      *actual = e->d_name;
      found = true;
      break;
    }
  }
  closedir(d);
  return found;
}

std::vector<std::string> SplitComponents(const std::string &rest) {
  std::vector<std::string> parts;
  std::string cur;
  auto flush = [&] {
    // The platform drops trailing dots and blanks of a component.
    while (!cur.empty() && (cur.back() == '.' || cur.back() == ' ') && cur != "." && cur != "..")
      cur.pop_back();
    if (cur.empty() || cur == ".") {
    } else if (cur == "..") {
      if (!parts.empty()) parts.pop_back();
    } else {
      parts.push_back(cur);
    }
    cur.clear();
  };
  for (char c : rest) {
    if (IsSep(c)) flush();
    else cur += c;
  }
  flush();
  return parts;
}

}  // namespace

Resolved Resolve(LPCWSTR path) {
  EnsureReady();
  World &w = TheWorld();
  Resolved r;
  std::string p = path ? Utf8(path) : std::string();
  if (p.empty()) {
    r.error = ERROR_PATH_NOT_FOUND;
    return r;
  }
  if (p.size() >= MAX_PATH) {
    r.error = ERROR_FILENAME_EXCED_RANGE;
    return r;
  }
  r.trailing_sep = IsSep(p.back());

  std::string volume, rest;
  if (p.size() >= 2 && IsSep(p[0]) && IsSep(p[1])) {
    std::vector<std::string> unc = SplitComponents(p.substr(2));
    if (unc.size() < 2) {
      r.error = ERROR_BAD_PATHNAME;
      return r;
    }
    volume = "\\\\" + Lower(unc[0]) + "\\" + Lower(unc[1]);
    for (size_t i = 2; i < unc.size(); ++i) rest += "\\" + unc[i];
  } else if (p.size() >= 2 && p[1] == ':') {
    volume = Lower(p.substr(0, 2));
    rest = p.substr(2);
    if (rest.empty() || !IsSep(rest[0])) {
      // Drive-relative: the current folder when it is on that drive, else the drive's root.
      std::string cur = w.current_dir;
      rest = (Lower(cur.substr(0, 2)) == volume ? cur.substr(2) + "\\" : std::string("\\")) + rest;
    }
  } else if (IsSep(p[0])) {
    volume = Lower(w.current_dir.substr(0, 2));
    rest = p;
  } else {
    volume = Lower(w.current_dir.substr(0, 2));
    rest = w.current_dir.substr(2) + "\\" + p;
  }

  auto vol = w.volumes.find(volume);
  if (vol == w.volumes.end()) {
    r.error = volume.size() > 2 ? ERROR_BAD_NETPATH : ERROR_PATH_NOT_FOUND;
    return r;
  }
  r.volume_key = volume;
  std::vector<std::string> parts = SplitComponents(rest);
  for (const std::string &part : parts) {
    if (!ValidName(part)) {
      r.error = ERROR_INVALID_NAME;
      return r;
    }
  }

  std::string host = vol->second.host_root;
  bool present = true;
  r.parent_exists = true;
  for (size_t i = 0; i < parts.size(); ++i) {
    std::string actual = parts[i];
    if (present) {
      struct stat st;
      present = stat(host.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && FindEntry(host, parts[i], &actual);
      if (!present && i + 1 < parts.size()) r.parent_exists = false;
      if (present && i + 1 < parts.size() && !(stat((host + "/" + actual).c_str(), &st) == 0 && S_ISDIR(st.st_mode)))
        r.parent_exists = false;
    }
    host += "/" + actual;
  }
  r.host = host;
  r.is_root = parts.empty();
  struct stat st;
  if (r.parent_exists && stat(host.c_str(), &st) == 0) {
    r.exists = true;
    r.is_dir = S_ISDIR(st.st_mode);
  }
  return r;
}

std::string HostPath(const std::string &path) { return Resolve(Wide(path).data()).host; }

}  // namespace winsim
