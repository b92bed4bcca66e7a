// Sound effects: every recipe of data/sounds/*.txt rendered and packed into "sounds.vtw".
#include <map>

#include "graphics/vtArchive.h"
#include "graphics/vtNameIndex.h"
#include "media/vtEncode.h"
#include "sounds/vtSoundRecipe.h"
#include "sounds/vtSynth.h"
#include "sounds/vtSynthParts.h"
#include "tables/vtSourceLines.h"
#include "vtAssetGen.h"

namespace quellix::assetgen {

void GenerateSounds(const TGenPaths& paths) {
  TArchiveWriter archive(TArchiveKind::Sounds);
  // The game finds a sound by its name in any letter case, so each name may appear once.
  std::map<std::string, std::string> origins;
  for (const std::string& file : SourceFiles(paths.SourceDir + "sounds", ".txt")) {
    for (const TSoundRecipe& recipe : ParseSoundRecipes(ReadSourceText(file), file)) {
      const auto [it, fresh] = origins.emplace(LowerCase(recipe.Name), recipe.Origin);
      if (!fresh)
        throw TSourceError(recipe.Origin + ": sound \"" + recipe.Name +
                           "\" is already defined at " + it->second);
      const std::vector<int16_t> samples = RenderSound(recipe);
      archive.AddSound({recipe.Name, recipe.Looped, recipe.MaxPlayingCount},
                       media::EncodeWav(samples, SampleRate, 1));
    }
  }
  if (origins.empty()) throw TSourceError(paths.SourceDir + "sounds: no sound recipes found");
  archive.SaveToFile(paths.OutDir + "sounds.vtw");
}

}  // namespace quellix::assetgen
