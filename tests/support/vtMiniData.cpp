#include "support/vtMiniData.h"

#include <fstream>
#include <sstream>

#include "graphics/vtArchive.h"

namespace quellix::testing {

namespace {

std::span<const uint8_t> Payload(const std::string& s) {
  return {reinterpret_cast<const uint8_t*>(s.data()), s.size()};
}

// A tiny opaque PNG of w x h pixels is not needed by the recording fake (it never
// decodes), so images carry a placeholder payload and their size in the pattern fields.
void AddImage(TArchiveWriter& w, const std::string& name, int32_t width, int32_t height) {
  TImageItem item;
  item.Name = name;
  item.PatternWidth = width;
  item.PatternHeight = height;
  w.AddImage(item, Payload("image:" + name));
}

void AddSound(TArchiveWriter& w, const std::string& name) {
  TSoundItem item;
  item.Name = name;
  w.AddSound(item, Payload("sound:" + name));
}

const char* AnimationFile =
    "Mini animation file for tests\n"
    "[REELREC]\n"
    "Text,texts\n"
    "[SCENEREC]\n"
    "LevelComplete,n\n"
    "255,0,0.5,0.5,100,100,levelcomplete,1\n"
    "[ENDSCENE]\n"
    "[SCENEREC]\n"
    "NextLevel,n\n"
    "255,0,0.5,0.5,100,100,nextlevel,1\n"
    "[ENDSCENE]\n"
    "[SCENEREC]\n"
    "gameover,n\n"
    "255,0,0.5,0.5,100,100,gameover,1\n"
    "[ENDSCENE]\n"
    "[ENDREEL]\n"
    "[REELREC]\n"
    "Holes,holes\n"
    "[SCENEREC]\n"
    "GreenHole,n\n"
    "255,0,0.5,0.5,100,100,greenhole,1\n"
    "[ENDSCENE]\n"
    "[ENDREEL]\n";

}  // namespace

TMiniData::TMiniData() {
  std::filesystem::create_directories(fFolder.Path() / "data");

  TArchiveWriter images(TArchiveKind::Images);
  AddImage(images, "levelcomplete", 400, 40);
  AddImage(images, "nextlevel", 240, 40);
  AddImage(images, "gameover", 260, 40);
  AddImage(images, "greenhole", 100, 100);
  images.SaveToFile(File("sprites.vtg"));

  TArchiveWriter sounds(TArchiveKind::Sounds);
  for (const char* s : {"newendlevel.wav", "cheering.wav", "thud.wav"}) AddSound(sounds, s);
  sounds.SaveToFile(File("sounds.vtw"));

  Write("data/quellix.txt", AnimationFile);
  Write("data/patterns.txt", "\"zig,\"\"100,200,0,0\"\",\"\"110,190,0,0\"\"\"\n");
  Write("data/config.txt",
        "\"g,\"\"s,\"\"\"\"a,1\"\"\"\",\"\"\"\"b,2\"\"\"\"\"\",<##VarNames##>,a,b,c\"\n");
}

void TMiniData::Write(const std::string& name, const std::string& content) const {
  std::ofstream out(fFolder.Path() / name, std::ios::binary);
  out << content;
}

std::string TMiniData::Read(const std::string& name) const {
  std::ifstream in(fFolder.Path() / name, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

}  // namespace quellix::testing
