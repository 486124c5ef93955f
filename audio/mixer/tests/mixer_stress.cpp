// One thread mixes without pause while this one starts, changes, holds and halts thousands of
// sounds. Built twice: under AddressSanitizer with the other host tests, and under
// ThreadSanitizer (which reports any race). At the end every record must be accounted for.
#include <atomic>
#include <cstdio>
#include <random>
#include <thread>
#include <vector>

#include "audio/mixer/tests/mixer_fixture.h"

using namespace sonaflux;

int main() {
  auto* device = new sonaflux_test::test_device(2048);
  if (sonaflux_start(device) != 0) return 1;
  std::vector<int16_t> shortSound(300, 1000), longSound(3000, -500);
  std::vector<audiobuffer*> buffers = {
      sonaflux_new_buffer(300, 16, 1, 22050, shortSound.data(), 0),
      sonaflux_new_buffer(150, 16, 2, 44100, shortSound.data(), 1),
      sonaflux_new_buffer(6000, 8, 1, 11025, longSound.data(), 0),
  };
  std::atomic<bool> mixing{true};
  std::atomic<long> passes{0};
  std::thread mixThread([&] {
    std::vector<int16_t> out(2048);
    while (mixing.load()) {
      mix16(device->mix, out.data(), 0);
      passes++;
    }
  });

  std::mt19937 random(7);
  auto pick = [&](int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
  };
  std::vector<sonaflux_handle> channels(64);
  for (sonaflux_handle& channel : channels) channel = sonaflux_new_channel();
  std::vector<sonaflux_handle> ownedOnce, ownedLooping;  // handles of plays with handle 0
  long starts = 0;
  for (int step = 0; step < 20000 || passes.load() < 300; step++) {
    sonaflux_handle& channel = channels[pick(0, 63)];
    audiobuffer* buffer = buffers[pick(0, 2)];
    switch (pick(0, 9)) {
      case 0:
        if (sonaflux_handle own = sonaflux_play(buffer, 0, 0)) {
          (buffer->loop ? ownedLooping : ownedOnce).push_back(own);
          starts++;
        }
        break;
      case 1: starts += sonaflux_play(buffer, pick(0, 1), channel) != 0; break;
      case 2: sonaflux_set_volume(channel, pick(0, 8000) / 4096.0f); break;
      case 3: sonaflux_set_pan(channel, pick(-4096, 4096) / 4096.0f); break;
      case 4: sonaflux_set_rate(channel, pick(1000, 300000) / 65536.0f); break;
      case 5: sonaflux_set_held(channel, pick(0, 1)); break;
      case 6: (void)(sonaflux_status(channel) + sonaflux_position(channel)); break;
      case 7:
        sonaflux_halt(channel);
        channel = sonaflux_new_channel();
        break;
      case 8: sonaflux_set_depth(channel, pick(-4096, 4096) / 4096.0f); break;
      case 9: {  // a handle from a play with handle 0 is let go: freed, or halted when it loops
        std::vector<sonaflux_handle>& owned = pick(0, 1) ? ownedOnce : ownedLooping;
        if (owned.empty()) break;
        if (&owned == &ownedOnce) {
          sonaflux_free_channel(owned.back());
        } else {
          sonaflux_halt(owned.back());
        }
        owned.pop_back();
        break;
      }
    }
    if (step % 16 == 0) std::this_thread::yield();
  }
  mixing.store(false);
  mixThread.join();

  for (sonaflux_handle channel : channels) sonaflux_halt(channel);
  for (sonaflux_handle own : ownedOnce) sonaflux_free_channel(own);
  for (sonaflux_handle own : ownedLooping) sonaflux_halt(own);
  std::vector<int16_t> out(2048);
  for (int i = 0; i < 2000 && count_records().playing > 0; i++) mix16(device->mix, out.data(), 0);
  record_counts counts = count_records();
  std::printf("starts %ld, passes %ld, records allocated %d, spare %d, playing %d\n", starts,
              passes.load(), counts.allocated, counts.spare, counts.playing);
  for (audiobuffer* buffer : buffers) sonaflux_release_buffer(buffer);
  sonaflux_stop();
  return counts.playing == 0 && counts.spare == counts.allocated ? 0 : 1;
}
