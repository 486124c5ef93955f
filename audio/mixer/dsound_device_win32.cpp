// The DirectSound output device: a looping secondary buffer of four fragments, fed by a thread
// of its own that wakes on the buffer's position notifications. DirectSound is loaded at run
// time; the program does not link it.
#define INITGUID  // IID_IDirectSoundNotify is defined here, not taken from an import library
#include <windows.h>
#include <mmsystem.h>
#include <dsound.h>

#include <atomic>
#include <cstring>

#include "audio/mixer/output_format_win32.h"
#include "audio/mixer/sonaflux.h"

namespace sonaflux {
namespace {

constexpr DWORD kFragmentBytes = 8192;
constexpr DWORD kBufferBytes = 4 * kFragmentBytes;
constexpr int32_t kAccumulatorSamples = 12288;

using create_function = HRESULT(WINAPI*)(LPCGUID, LPDIRECTSOUND*, LPUNKNOWN);

template <class T>
void release(T*& object) {
  if (object) object->Release();
  object = nullptr;
}

class dsounddevice final : public audiodevice {
 public:
  ~dsounddevice() override { close(); }

  int32_t open() override {
    running.store(1);
    threadActive.store(0);
    mix = new mixer(kAccumulatorSamples);
    mix->rate = kOutputRate;
    mix->channels = 2;
    HRESULT result = acquire();
    if (result != DS_OK) {
      running.store(0);
      return result ? static_cast<int32_t>(result) : -1;
    }
    return 0;
  }

  void close() override {
    if (running.exchange(0) == 1 && thread) {
      // Wakes the thread at once instead of letting it sleep out its one-second wait, and waits
      // for it to leave: it must not touch the buffers or the mixer once they go.
      if (event) SetEvent(event);
      WaitForSingleObject(thread, 2000);
    }
    if (thread) CloseHandle(thread);
    thread = nullptr;
    if (mix && !threadActive.load()) mix->recycle_playing();
    release(notify);
    release(primary);
    release(secondary);
    release(directSound);
    if (event) CloseHandle(event);
    event = nullptr;
  }

 private:
  // Steps of open; gives the failing call's result, or a non-zero code of our own.
  HRESULT acquire() {
    library = LoadLibraryA("dsound");
    if (!library) return E_FAIL;
    createEntry = reinterpret_cast<create_function>(
        reinterpret_cast<void*>(GetProcAddress(library, "DirectSoundCreate")));
    if (!createEntry) return E_FAIL;
    HRESULT result = createEntry(nullptr, &directSound, nullptr);
    if (result != DS_OK) return result;
    result = directSound->SetCooperativeLevel(GetDesktopWindow(), DSSCL_PRIORITY);
    if (result != DS_OK) return result;
    DSCAPS caps{};
    caps.dwSize = sizeof caps;
    if ((result = directSound->GetCaps(&caps)) != DS_OK) return result;

    WAVEFORMATEX format = output_format();
    DSBUFFERDESC description{};
    description.dwSize = sizeof description;
    description.dwFlags = DSBCAPS_PRIMARYBUFFER;
    if ((result = directSound->CreateSoundBuffer(&description, &primary, nullptr)) != DS_OK) {
      return result;
    }
    if ((result = primary->SetFormat(&format)) != DS_OK) return result;

    description.dwFlags =
        DSBCAPS_GETCURRENTPOSITION2 | DSBCAPS_GLOBALFOCUS | DSBCAPS_CTRLPOSITIONNOTIFY;
    description.dwBufferBytes = kBufferBytes;
    description.lpwfxFormat = &format;
    if ((result = directSound->CreateSoundBuffer(&description, &secondary, nullptr)) != DS_OK) {
      return result;
    }
    event = CreateEventA(nullptr, FALSE, FALSE, "SOUNDEVENT");
    if (!event) return E_FAIL;
    result = secondary->QueryInterface(IID_IDirectSoundNotify, reinterpret_cast<void**>(&notify));
    if (result != DS_OK) return result;
    DSBPOSITIONNOTIFY positions[4];
    for (DWORD i = 0; i < 4; i++) positions[i] = {i * kFragmentBytes, event};
    if ((result = notify->SetNotificationPositions(4, positions)) != DS_OK) return result;
    thread = CreateThread(nullptr, 0, feed_thread, this, 0, &threadId);
    return thread ? DS_OK : E_FAIL;
  }

  static DWORD WINAPI feed_thread(LPVOID argument) {
    auto* device = static_cast<dsounddevice*>(argument);
    try {
      device->feed();
    } catch (...) {
      // Nothing on this path throws; an exception must not leave a thread procedure regardless.
    }
    device->threadActive.store(0);
    return 0;
  }

  // Mixes the regions of one lock; false when locking or unlocking fails.
  bool fill(DWORD offset, DWORD bytes, bool silence) {
    void *first, *second;
    DWORD firstBytes, secondBytes;
    if (secondary->Lock(offset, bytes, &first, &firstBytes, &second, &secondBytes, 0) != DS_OK) {
      return false;
    }
    for (auto [region, size] : {std::pair{first, firstBytes}, std::pair{second, secondBytes}}) {
      if (!region || !size) continue;
      if (silence) {
        std::memset(region, 0, size);
      } else {
        mix16(mix, static_cast<int16_t*>(region), static_cast<int32_t>(size / 2));
      }
    }
    writtenBytes += firstBytes + secondBytes;
    return secondary->Unlock(first, firstBytes, second, secondBytes) == DS_OK;
  }

  void feed() {
    if (!fill(0, kBufferBytes, true)) return;
    secondary->Play(0, 0, DSBPLAY_LOOPING);
    threadActive.store(1);
    // Unsigned counts that wrap freely: only their differences matter.
    uint32_t written = 0, wraps = 0, lastPlay = 0;
    while (running.load() == 1) {
      DWORD play = 0, write = 0;
      secondary->GetCurrentPosition(&play, &write);
      if (play < lastPlay) wraps++;
      lastPlay = play;
      int32_t ahead =
          static_cast<int32_t>(wraps * kBufferBytes + play + 2 * kFragmentBytes - written);
      int32_t fragments = ahead / static_cast<int32_t>(kFragmentBytes);
      if (fragments > 0) {
        if (fragments > 2) fragments = 2;
        writtenBytes = 0;
        if (!fill(written % kBufferBytes, fragments * kFragmentBytes, false)) break;
        written += writtenBytes;
      }
      if (WaitForSingleObject(event, 1000) != WAIT_OBJECT_0 || running.load() != 1) break;
    }
    threadActive.store(0);
    secondary->Stop();
  }

  std::atomic<int32_t> running{0};       // application writes (open, close); thread reads
  std::atomic<int32_t> threadActive{0};  // thread writes; close reads
  HMODULE library = nullptr;             // kept loaded: DirectSound may be opened again
  create_function createEntry = nullptr;
  IDirectSound* directSound = nullptr;
  IDirectSoundBuffer* primary = nullptr;
  IDirectSoundBuffer* secondary = nullptr;  // the feeding thread uses it while it runs
  IDirectSoundNotify* notify = nullptr;
  HANDLE event = nullptr;
  HANDLE thread = nullptr;
  DWORD threadId = 0;
  DWORD writtenBytes = 0;  // feeding thread: bytes of the last lock
};

}  // namespace
}  // namespace sonaflux

sonaflux::audiodevice* sonaflux_new_dsound_device() { return new sonaflux::dsounddevice; }
