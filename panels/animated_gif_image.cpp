#include "panels/animated_gif_image.h"

#include <cstring>

#include "panels/gif_animation.h"

Animated_Gif_Image::Animated_Gif_Image(QWidget* parent) : QLabel(parent) {
  setScaledContents(true);
  timer_.setSingleShot(true);
  connect(&timer_, &QTimer::timeout, this, &Animated_Gif_Image::show_next_frame);
}

bool Animated_Gif_Image::load(std::span<const unsigned char> gif) {
  stop_animation();
  images_.clear();
  delays_.clear();
  current_ = 0;
  clear();

  const Gif_Animation animation = decode_gif(gif.data(), gif.size());
  for (const Gif_Frame& frame : animation.frames) {
    QImage image(animation.width, animation.height, QImage::Format_ARGB32);
    if (image.isNull()) return false;
    for (int y = 0; y < animation.height; ++y) {
      std::memcpy(image.scanLine(y),
                  frame.pixels.data() + static_cast<std::size_t>(y) * animation.width,
                  static_cast<std::size_t>(animation.width) * sizeof(std::uint32_t));
    }
    images_.push_back(std::move(image));
    delays_.push_back(frame.delay_ms);
  }
  if (images_.empty()) return false;
  show_frame(0);
  return true;
}

void Animated_Gif_Image::start_animation() {
  if (images_.empty()) return;
  show_frame(0);
  running_ = true;
  if (images_.size() > 1) timer_.start(delays_[0]);
}

void Animated_Gif_Image::stop_animation() {
  running_ = false;
  timer_.stop();
}

void Animated_Gif_Image::show_next_frame() {
  if (images_.empty()) return;
  show_frame((current_ + 1) % frame_count());
  if (running_ && images_.size() > 1) timer_.start(delays_[static_cast<std::size_t>(current_)]);
}

void Animated_Gif_Image::show_frame(int frame) {
  current_ = frame;
  // Made for the frame shown only: a picture of each frame held all the time
  // would double what the animation keeps.
  setPixmap(QPixmap::fromImage(images_[static_cast<std::size_t>(frame)]));
}
