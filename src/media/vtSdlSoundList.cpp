#include "media/vtSdlSoundList.h"

#include <SDL_mixer.h>

#include <algorithm>
#include <stdexcept>

#include "base/vtStartupTrace.h"
#include "graphics/vtArchive.h"
#include "media/vtPayloads.h"

namespace quellix::media {

namespace {
constexpr int InitialChannels = 16;
}  // namespace

TSdlSoundList::TSdlSoundList(TAudioDevice& device, TPlatformLog& log) : fDevice(device), fLog(log) {
  AllocateChannels();
}

void TSdlSoundList::AllocateChannels() {
  if (fDevice.Open()) fChannels.resize(static_cast<size_t>(Mix_AllocateChannels(InitialChannels)));
}

TSdlSoundList::~TSdlSoundList() {
  StopAll();
}

void TSdlSoundList::LoadFromFile(const std::string& path) {
  TArchive archive = ReadArchive(path, TArchiveKind::Sounds);
  std::vector<TSoundItem> items;
  std::vector<TChunkPtr> chunks;
  for (size_t i = 0; i < archive.Entries.size(); ++i) {
    const TSoundItem& item = archive.Entries[i].Sound;
    chunks.push_back(DecodeWave(archive.Payload(i), item.Name, path, false));
    items.push_back(item);
  }
  StopAll();
  fItems = std::move(items);
  fChunks = std::move(chunks);
  fPath = path;
  fWaiting = std::move(archive);
  fIndex.Clear();
  for (size_t i = 0; i < fItems.size(); ++i) fIndex.Add(fItems[i].Name, static_cast<int32_t>(i));
  std::fill(fChannels.begin(), fChannels.end(), TChannel{});
}

bool TSdlSoundList::PrepareSounds() {
  if (fDevice.Started() && fWaiting.Entries.empty()) return false;
  if (!fDevice.Started()) {
    fDevice.Start();
    AllocateChannels();
  }
  // Every sound was checked at its load: one the mixer still refuses stays silent.
  for (size_t i = 0; fDevice.Open() && i < fWaiting.Entries.size(); ++i) {
    try {
      fChunks[i] = DecodeWave(fWaiting.Payload(i), fItems[i].Name, fPath, true);
    } catch (const TArchiveError& error) {
      fLog.Write(error.what());
    }
  }
  fWaiting = {};
  TraceStartup("sounds made playable");
  return true;
}

void TSdlSoundList::CheckIndex(int32_t index) const {
  if (index < 0 || index >= Count())
    throw std::out_of_range("sound index " + std::to_string(index) + " out of range");
}

const TSoundItem& TSdlSoundList::Item(int32_t index) const {
  CheckIndex(index);
  return fItems[static_cast<size_t>(index)];
}

bool TSdlSoundList::ChannelPlays(size_t channel) const {
  return fChannels[channel].Instance != 0 && Mix_Playing(static_cast<int>(channel)) != 0;
}

int32_t TSdlSoundList::PlayingCount(int32_t index) const {
  int32_t count = 0;
  for (size_t c = 0; c < fChannels.size(); ++c)
    if (fChannels[c].Item == index && ChannelPlays(c)) ++count;
  return count;
}

bool TSdlSoundList::Playing(TSoundInstance instance) const {
  for (size_t c = 0; c < fChannels.size(); ++c)
    if (instance != 0 && fChannels[c].Instance == instance) return ChannelPlays(c);
  return false;
}

int TSdlSoundList::FreeChannel(int32_t index) {
  const int32_t limit = fItems[static_cast<size_t>(index)].MaxPlayingCount;
  int oldestOfItem = -1, oldest = -1, free = -1, playing = 0;
  for (size_t c = 0; c < fChannels.size(); ++c) {
    const int ch = static_cast<int>(c);
    if (!ChannelPlays(c)) {
      if (free < 0) free = ch;
      continue;
    }
    if (oldest < 0 || fChannels[c].Instance < fChannels[static_cast<size_t>(oldest)].Instance)
      oldest = ch;
    if (fChannels[c].Item != index) continue;
    ++playing;
    if (oldestOfItem < 0 ||
        fChannels[c].Instance < fChannels[static_cast<size_t>(oldestOfItem)].Instance)
      oldestOfItem = ch;
  }
  if (limit > 0 && playing >= limit) return oldestOfItem;
  if (free >= 0) return free;
  const int channels = static_cast<int>(fChannels.size());
  if (channels >= MaxChannels) return oldest;
  fChannels.resize(static_cast<size_t>(Mix_AllocateChannels(std::min(channels * 2, MaxChannels))));
  return channels < static_cast<int>(fChannels.size()) ? channels : oldest;
}

TSoundInstance TSdlSoundList::Play(int32_t index) {
  CheckIndex(index);
  PrepareSounds();
  Mix_Chunk* chunk = fChunks[static_cast<size_t>(index)].get();
  if (!chunk) return 0;
  const int channel = FreeChannel(index);
  if (channel < 0) return 0;
  const int loops = fItems[static_cast<size_t>(index)].Looped ? -1 : 0;
  Mix_Volume(channel, MIX_MAX_VOLUME * fVolume / 100);
  if (Mix_PlayChannel(channel, chunk, loops) != channel) return 0;
  fChannels[static_cast<size_t>(channel)] = {fNextInstance, index};
  return fNextInstance++;
}

void TSdlSoundList::Stop(TSoundInstance instance) {
  for (size_t c = 0; c < fChannels.size(); ++c)
    if (instance != 0 && fChannels[c].Instance == instance) {
      if (ChannelPlays(c)) Mix_HaltChannel(static_cast<int>(c));
      fChannels[c] = {};
      return;
    }
}

void TSdlSoundList::SetVolume(int32_t percent) {
  fVolume = std::clamp(percent, 0, 100);
  // Copies playing now change too; channels allocated later get it when they play.
  if (fDevice.Open()) Mix_Volume(-1, MIX_MAX_VOLUME * fVolume / 100);
}

void TSdlSoundList::StopAll() {
  if (fDevice.Open()) Mix_HaltChannel(-1);
  std::fill(fChannels.begin(), fChannels.end(), TChannel{});
}

}  // namespace quellix::media
