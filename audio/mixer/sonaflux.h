// Sonaflux: a fixed-point software mixer with a flat call interface.
//
// Reference-counted PCM buffers (`audiobuffer`) are played as any number of instances (`sound`
// records), each with its own rate (16.16), volume, pan and depth (4.12), and mixed into 16-bit
// stereo at 44100 frames per second for an output device. Callers name an instance by a channel
// handle: slot index | generation, so a handle whose slot was reused is recognised as stale.
//
// Threads: every sonaflux_ call runs on the application thread; the device's own thread only
// calls mix16. The two sides meet through two single-producer single-consumer rings of 4096
// slots (pending: application to mixer; recycle: mixer to application) and relaxed atomic word
// stores on the records' shared fields; nothing takes a lock. The mixing thread never allocates
// and never frees: ended records and their buffer references go back to the application thread,
// which releases them on its next call.
//
// Limits: at most 4095 handles, and at most 4095 starts between two mixing passes (a further
// start is refused and returns 0).
#pragma once

#include <atomic>
#include <cstdint>

namespace sonaflux {

enum : int32_t {
  STATUS_FREE = 0,
  STATUS_STOPPED = 1,
  STATUS_ONCE = 2,
  STATUS_LOOPING = 4,
  STATUS_HELD = 16,
};

constexpr int32_t kOutputRate = 44100;
constexpr int32_t kRingSlots = 4096;
constexpr int32_t kChannelSlots = 4096;

// PCM data with one guard frame after the last frame, so interpolation may read one frame past
// the end: a copy of the first frame when the buffer loops, of the last frame otherwise.
// Made, referenced and released on the application thread only; the mixing thread only reads it.
struct audiobuffer {
  int32_t rate;          // frames per second of the data
  int32_t channels;      // 1 or 2
  int32_t bits;          // 8 (unsigned) or 16 (signed, host order)
  int32_t frameCount;    // frames of data
  int32_t frameBytes;    // channels * bits / 8
  int32_t byteCount;     // frameCount * frameBytes
  int32_t writeFrame;    // frames written so far
  int32_t refs;          // reference count, 1 at creation
  int32_t loop;          // non-zero: the buffer loops
  uint8_t* pcm;          // the frames and the guard frame
  uint8_t* writeCursor;  // where the next written frame goes
  int32_t ownedBytes;    // bytes allocated for pcm, 0 for caller memory
};

// What sounds and the mixer share: target/current rate, volume, pan, depth and the position.
class output {
 public:
  virtual ~output() = default;
  virtual void setrate(int32_t rate) = 0;
  virtual void setvolume(int16_t volume) = 0;
  virtual void setpan(int16_t pan) = 0;
  virtual void setdepth(int16_t depth) = 0;
  virtual int32_t getrate(int32_t target) = 0;
  virtual int16_t getvolume(int32_t target) = 0;
  virtual int16_t getpan(int32_t target) = 0;
  virtual int16_t getdepth(int32_t target) = 0;
  virtual int64_t getposition() = 0;
};

class mixer;

// One playing instance (a record). Fields marked "shared" are touched by both threads and are
// relaxed atomics: each is one word store, seen by the other side at its next pass at the latest.
// Everything else belongs to whichever side holds the record: the application thread until it
// enters the pending ring, the mixing thread until it comes back through the recycle ring.
class sound final : public output {
 public:
  void setrate(int32_t rate) override;
  void setvolume(int16_t volume) override;
  void setpan(int16_t pan) override;
  void setdepth(int16_t depth) override;
  int32_t getrate(int32_t target) override;
  int16_t getvolume(int32_t target) override;
  int16_t getpan(int32_t target) override;
  int16_t getdepth(int32_t target) override;
  int64_t getposition() override;

  mixer* owner = nullptr;
  // Shared. Application: play, halt, set_held (compare-and-swap of the HELD bit on a playing
  // record). Mixer: STOPPED or FREE when the record ends (compare-and-swap). Both read it.
  std::atomic<int32_t> status{STATUS_FREE};
  int32_t handle = 0;  // written before the record is queued; read by the application thread
  // Shared. Application writes (play, halt, free_channel set it to 1); mixer reads.
  std::atomic<int32_t> autofree{0};
  sound* next = nullptr;               // playing list (mixer) or spare records (application)
  audiobuffer* buffer = nullptr;       // one reference held; written before queueing
  std::atomic<uint64_t> pos{0};        // shared: mixer writes, application reads (32.32 samples)
  std::atomic<uint64_t> travelled{0};  // shared: mixer writes, application reads
  // Shared. Targets: application writes, mixer reads. Current values: the mixer writes them when
  // a ramp starts; the application writes them only while the record is held (not mixed).
  std::atomic<int32_t> rate{65536}, rateTarget{65536};
  std::atomic<int16_t> volume{4096}, volumeTarget{4096};
  std::atomic<int16_t> pan{0}, panTarget{0};
  std::atomic<int16_t> depth{0}, depthTarget{0};
  uint32_t startTime = 0;  // written before queueing
  int32_t delay = 0;       // mixer only: output frames to wait before mixing starts
  bool queued = false;     // application only: handed to the mixer (false for a placeholder)
};

// The mixing state a device owns. The mixer thread is the only reader of the pending ring and
// the only writer of the recycle ring; the application thread is the other end of each.
class mixer final : public output {
 public:
  explicit mixer(int32_t accumulatorSize);
  ~mixer() override;
  mixer(const mixer&) = delete;
  mixer& operator=(const mixer&) = delete;

  void setrate(int32_t) override {}
  void setvolume(int16_t) override {}
  void setpan(int16_t) override {}
  void setdepth(int16_t) override {}
  int32_t getrate(int32_t) override { return 65536; }
  int16_t getvolume(int32_t) override { return 4096; }
  int16_t getpan(int32_t) override { return 0; }
  int16_t getdepth(int32_t) override { return 0; }
  int64_t getposition() override { return 0; }

  // Application thread: queue a record for the mixer; false when the ring is full.
  bool enqueue_pending(sound* record);
  // Application thread: the next ended record, or null.
  sound* take_recycled();
  // Mixing thread (or any thread once the mixing thread has stopped): hands every record of the
  // playing list to the recycle ring, as a device does when it closes.
  void recycle_playing();

  int32_t* accumulator;      // mixer only
  int32_t accumulatorSize;   // fixed at creation
  int32_t rate = 0;          // output frames per second, set by the device before it feeds
  int32_t channels = 0;      // output channels, set by the device before it feeds
  sound* playing = nullptr;  // mixer only (or after the device thread has stopped)
  // Index pairs: the producer writes the slot, then release-stores its index; the consumer
  // acquire-loads the other side's index before reading the slot.
  std::atomic<int32_t> pendingRead{0};   // mixer writes, application reads
  std::atomic<int32_t> pendingWrite{0};  // application writes, mixer reads
  sound* pending[kRingSlots] = {};
  std::atomic<int32_t> recycleRead{0};   // application writes, mixer reads
  std::atomic<int32_t> recycleWrite{0};  // mixer writes, application reads
  sound* recycle[kRingSlots] = {};

  // Mixing thread.
  void mix_pass(int32_t samples);
  bool push_recycled(sound* record);
};

// Mixing thread: mixes `count` samples (even, 2..accumulatorSize; 0 for accumulatorSize) into
// `destination` as interleaved 16-bit stereo, clamped.
void mix16(mixer* m, int16_t* destination, int32_t count);

// An output device: owns its mixer and feeds it from a thread of its own.
class audiodevice {
 public:
  virtual ~audiodevice();
  virtual int32_t open() = 0;  // 0 on success
  virtual void close() = 0;
  mixer* mix = nullptr;
};

}  // namespace sonaflux

using sonaflux_handle = int32_t;

int32_t sonaflux_start(sonaflux::audiodevice* device);  // takes over the device
int32_t sonaflux_stop();
sonaflux::audiobuffer* sonaflux_new_buffer(int32_t frameCount, int32_t bits, int32_t channels,
                                           int32_t rate, const void* data, int32_t loop);
int32_t sonaflux_release_buffer(sonaflux::audiobuffer* buffer);
sonaflux_handle sonaflux_new_channel();
void sonaflux_free_channel(sonaflux_handle handle);
sonaflux_handle sonaflux_play(sonaflux::audiobuffer* buffer, int32_t cue, sonaflux_handle handle);
int32_t sonaflux_halt(sonaflux_handle handle);
int32_t sonaflux_status(sonaflux_handle handle);
int32_t sonaflux_position(sonaflux_handle handle);
int32_t sonaflux_set_held(sonaflux_handle handle, int32_t flag);
int32_t sonaflux_set_volume(sonaflux_handle handle, float volume);
int32_t sonaflux_set_pan(sonaflux_handle handle, float pan);
int32_t sonaflux_set_depth(sonaflux_handle handle, float depth);
int32_t sonaflux_set_rate(sonaflux_handle handle, float rate);
sonaflux::audiodevice* sonaflux_new_waveout_device();  // null where waveOut does not exist
sonaflux::audiodevice* sonaflux_new_dsound_device();   // null where DirectSound does not exist
