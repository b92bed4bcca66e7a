// The sound list on SDL2_mixer. Each playing copy of a sound has a mixer channel; a
// copy still playing is never cut by a new one: a free channel is taken, or more are
// allocated. Once an item's MaxPlayingCount copies play (0: no limit), its oldest
// copy restarts instead. Without a sound device nothing plays and Play returns 0.
// A load checks every sound as it does without a device and leaves making them playable
// (converted for the device, which may not have started yet) to PrepareSounds, in the
// loop's spare time, or to the first Play.
#pragma once

#include <vector>

#include <string>

#include "graphics/vtArchive.h"
#include "graphics/vtMedia.h"
#include "graphics/vtNameIndex.h"
#include "media/vtAudioDevice.h"
#include "media/vtSdlHandles.h"

namespace quellix::media {

class TSdlSoundList : public ISoundList {
 public:
  // Channels are allocated in steps up to this bound; past it the oldest copy of all
  // restarts, so a flood of sounds cannot grow the mixer without end.
  static constexpr int32_t MaxChannels = 256;

  TSdlSoundList(TAudioDevice& device, TPlatformLog& log);
  ~TSdlSoundList() override;
  TSdlSoundList(const TSdlSoundList&) = delete;
  TSdlSoundList& operator=(const TSdlSoundList&) = delete;

  void LoadFromFile(const std::string& path) override;
  int32_t Count() const override { return static_cast<int32_t>(fItems.size()); }
  const TSoundItem& Item(int32_t index) const override;
  int32_t IndexOf(std::string_view name) const override { return fIndex.IndexOf(name); }
  TSoundInstance Play(int32_t index) override;
  void Stop(TSoundInstance instance) override;
  void StopAll() override;
  // Starts the device and makes the loaded sounds playable; false when both were done.
  bool PrepareSounds();
  void SetVolume(int32_t percent) override;
  int32_t Volume() const { return fVolume; }

  // Copies of the item playing now.
  int32_t PlayingCount(int32_t index) const;
  bool Playing(TSoundInstance instance) const;

 private:
  struct TChannel {
    TSoundInstance Instance = 0;  // grows with every Play, so smaller is older
    int32_t Item = -1;
  };
  void CheckIndex(int32_t index) const;
  void AllocateChannels();
  bool ChannelPlays(size_t channel) const;
  // The channel for a new copy of the item, or -1.
  int FreeChannel(int32_t index);

  TAudioDevice& fDevice;
  TPlatformLog& fLog;
  std::vector<TSoundItem> fItems;
  std::vector<TChunkPtr> fChunks;  // null without a sound device
  std::string fPath;
  TArchive fWaiting;  // the sounds loaded before the device started, until made playable
  TNameIndex fIndex;
  std::vector<TChannel> fChannels;  // by mixer channel
  TSoundInstance fNextInstance = 1;
  int32_t fVolume = 100;  // per cent
};

}  // namespace quellix::media
