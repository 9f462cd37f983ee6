#pragma once
// A picture control that shows an animated GIF, stretched to its size. The
// frames are decoded once when loaded; a single-shot timer then shows each one
// for its own delay, round and round, while the animation runs.

#include <QLabel>
#include <QPixmap>
#include <QTimer>
#include <span>
#include <vector>

class Animated_Gif_Image final : public QLabel {
  Q_OBJECT

 public:
  explicit Animated_Gif_Image(QWidget* parent = nullptr);

  // Replaces the frames. Bytes that are not a usable GIF leave the control
  // empty, and false is returned; the animation is stopped either way.
  bool load(std::span<const unsigned char> gif);

  // Runs from the first frame; a still picture just shows.
  void start_animation();
  // Stops on the frame shown.
  void stop_animation();
  bool animating() const { return running_; }

  int frame_count() const { return static_cast<int>(images_.size()); }
  int current_frame() const { return current_; }
  int frame_delay_ms(int frame) const { return delays_.at(static_cast<std::size_t>(frame)); }
  const QImage& frame_image(int frame) const { return images_.at(static_cast<std::size_t>(frame)); }

  // What the timer does: shows the next frame and, while running, waits for
  // its delay.
  void show_next_frame();

 private:
  void show_frame(int frame);

  std::vector<QImage> images_;
  std::vector<int> delays_;
  int current_ = 0;
  bool running_ = false;
  QTimer timer_;
};
