// The pattern file and the configuration file, from data/patterns/*.txt and
// data/difficulty/<group>.csv.
#include <filesystem>
#include <set>

#include "base/vtAtomicFile.h"
#include "config/vtEnemySettings.h"
#include "tables/vtDifficultyTable.h"
#include "tables/vtPatternShapes.h"
#include "tables/vtSourceLines.h"
#include "vtAssetGen.h"

namespace quellix::assetgen {

namespace {

void GeneratePatterns(const TGenPaths& paths) {
  std::vector<TPatternShape> patterns;
  std::set<std::string> names;  // the game looks patterns up by exact name
  for (const std::string& file : SourceFiles(paths.SourceDir + "patterns", ".txt")) {
    for (TPatternShape& p : ParsePatternShapes(ReadSourceLines(file))) {
      if (!names.insert(p.Name).second)
        throw TSourceError(p.Origin + ": pattern \"" + p.Name + "\" is already defined");
      patterns.push_back(std::move(p));
    }
  }
  if (patterns.empty()) throw TSourceError(paths.SourceDir + "patterns: no patterns found");
  WriteFileAtomically(paths.OutDir + "data/patterns.txt", PatternLine(patterns) + "\n");
}

void GenerateConfig(const TGenPaths& paths) {
  const std::string folder = paths.SourceDir + "difficulty/";
  std::set<std::string> expected;
  std::vector<TDifficultyTable> tables;
  // The game's own field lists: the table must supply exactly what the game loads.
  for (const TEnemyKindFields& kind : EnemySettingsFields()) {
    const std::string file = folder + std::string(kind.Group) + ".csv";
    expected.insert(std::filesystem::path(file).filename().string());
    tables.push_back(ParseDifficultyTable(ReadSourceLines(file), kind, file));
  }
  // A table under a name the game does not know would be silently left out.
  for (const std::string& file : SourceFiles(folder, ".csv"))
    if (!expected.contains(std::filesystem::path(file).filename().string()))
      throw TSourceError(file + ": no enemy kind has this name");
  WriteFileAtomically(paths.OutDir + "data/config.txt", ConfigLine(tables) + "\n");
}

}  // namespace

void GenerateTables(const TGenPaths& paths) {
  GeneratePatterns(paths);
  GenerateConfig(paths);
}

}  // namespace quellix::assetgen
