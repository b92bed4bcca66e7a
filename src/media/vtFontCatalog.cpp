#include "media/vtFontCatalog.h"

#include <SDL_ttf.h>

#include <filesystem>

#include "base/vtFileSystem.h"
#include "base/vtStartupTrace.h"
#include "graphics/vtNameIndex.h"

namespace quellix::media {

namespace fs = std::filesystem;

namespace {

// A bound on the files opened while scanning, for machines with huge font folders.
constexpr size_t MaxScannedFiles = 4000;

bool IsFontFile(const fs::path& p) {
  const std::string ext = LowerCase(TextOf(p.extension()));
  return ext == ".ttf" || ext == ".otf";
}

bool IsPlainStyle(const std::string& style) {
  return SameText(style, "Regular") || SameText(style, "Book") || SameText(style, "Normal") ||
         SameText(style, "Roman");
}

}  // namespace

TFontCatalog::TFontCatalog(TPlatformLog& log) : fLog(log) {}

void TFontCatalog::SetFolders(std::vector<std::string> folders) {
  fFolders = std::move(folders);
  fScanned = false;
  fFaces.clear();
  fResolved.clear();
  fFallback.clear();
}

#ifdef _WIN32
// The system's fonts and those the user installed (Windows 10 1809 and later).
std::vector<std::string> TFontCatalog::StandardFolders(const std::string& dataDir) {
  std::vector<std::string> folders{dataDir + "fonts/"};
  for (const auto& [variable, below] :
       {std::pair{L"WINDIR", "Fonts"}, std::pair{L"LOCALAPPDATA", "Microsoft/Windows/Fonts"}})
    if (const wchar_t* root = _wgetenv(variable))
      folders.push_back(FolderText(fs::path(root) / below));
  return folders;
}
#else
std::vector<std::string> TFontCatalog::StandardFolders(const std::string& dataDir) {
  return {dataDir + "fonts/", "/usr/local/share/fonts/", "/usr/share/fonts/"};
}
#endif

bool TFontCatalog::Prepare() {
  if (fScanned) return false;
  Scan();
  return true;
}

void TFontCatalog::Scan() {
  fScanned = true;
  size_t seen = 0;
  for (const std::string& folder : fFolders) {
    std::error_code ec;
    fs::recursive_directory_iterator it(PathOf(folder),
                                        fs::directory_options::skip_permission_denied, ec);
    for (; !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
      if (!it->is_regular_file(ec) || !IsFontFile(it->path())) continue;
      if (++seen > MaxScannedFiles) return;
      const std::string path = TextOf(it->path());
      TTF_Font* font = TTF_OpenFont(path.c_str(), 12);
      if (!font) continue;
      const char* family = TTF_FontFaceFamilyName(font);
      const char* style = TTF_FontFaceStyleName(font);
      fFaces.push_back({path, family ? family : "", style ? style : ""});
      TTF_CloseFont(font);
    }
  }
  TraceStartup("fonts scanned: " + std::to_string(fFaces.size()) + " faces");
}

const std::string& TFontCatalog::FallbackPath() {
  if (!fFallback.empty()) return fFallback;
#ifndef _WIN32
  if (fs::exists(FallbackFile)) return fFallback = FallbackFile;
#endif
  if (!fScanned) Scan();
  for (const TFace& f : fFaces)
    if (PathOf(f.Path).filename() == FallbackName) return fFallback = f.Path;
  return fFallback;
}

const std::string& TFontCatalog::FileFor(const std::string& name) {
  const std::string key = LowerCase(name);
  if (auto it = fResolved.find(key); it != fResolved.end()) return it->second;
  if (!fScanned) Scan();

  // "Family Style" is exact; the bare family prefers its plain style.
  const TFace* best = nullptr;
  int bestRank = 0;
  for (const TFace& f : fFaces) {
    int rank = 0;
    if (SameText(name, f.Family + " " + f.Style))
      rank = 3;
    else if (SameText(name, f.Family))
      rank = IsPlainStyle(f.Style) ? 2 : 1;
    if (rank > bestRank) {
      best = &f;
      bestRank = rank;
    }
  }
  if (best) return fResolved[key] = best->Path;

  const std::string& fallback = FallbackPath();
  if (fallback.empty())
    fLog.Once("font:" + key, "Typeface \"" + name + "\" is not installed and the fallback " +
                                 FallbackFile + " is missing: text is not drawn");
  else
    fLog.Once("font:" + key, "Typeface \"" + name + "\" is not installed; using " + fallback);
  return fResolved[key] = fallback;
}

}  // namespace quellix::media
