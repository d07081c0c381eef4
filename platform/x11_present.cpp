// Presenting the screen's window straight to the X server, past Qt's backing store.
//
// Sections: state, starting and stopping, the shared frame, presenting, reading back.
//
// The frame as the window shows it lives in a memory segment the X server maps too, wrapped in a
// pixmap. Presenting fills the changed rectangles of the window from that pixmap, all of them in
// one request, and waits for nothing: before the frame is written again, the answer to a cheap
// request sent after the fill says the server has read it, and by then it has long arrived. Qt
// neither paints the window nor keeps a backing store for it. Where any of this is missing
// (another platform, no MIT-SHM with file descriptors, a server not on this machine, pixels that
// are not 32-bit true colour) nothing starts and the window stays on Qt's path.
#include <sys/mman.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QGuiApplication>
#include <QPointer>
#include <QWidget>
#include <QtGui/qguiapplication_platform.h>

#include <xcb/shm.h>
#include <xcb/xcb.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/qt_internal.h"

namespace {

constexpr uint32_t RedMask = 0xff0000, GreenMask = 0x00ff00, BlueMask = 0x0000ff;
constexpr int PixelBits = 32;
constexpr int PixelBytes = 4;
constexpr uint32_t BlackPixel = 0;
constexpr QRgb OpaqueAlpha = 0xff000000u;
// The first version of MIT-SHM that takes segments as file descriptors.
constexpr int ShmFdMajor = 1, ShmFdMinor = 2;
// A server with DRI3 keeps windows on the graphics card: filling from a pixmap in memory would
// read the window back. Each rectangle is copied instead, which it uploads.
constexpr char GpuExtension[] = "DRI3";

// ---- State ----------------------------------------------------------------------------------

struct SharedPresentState {
  int window = -1;                      // the program's window presented so, or -1
  QPointer<QWidget> client;             // its client widget, a native window of its own
  xcb_connection_t* connection = nullptr;
  uint8_t depth = 0;                    // of the client's window
  bool copyEach = false;                // copy rectangle by rectangle instead of one tiled fill
  xcb_gcontext_t copyGc = 0;            // plain copies and the black of the bars
  xcb_gcontext_t tileGc = 0;            // fills tiled with the frame
  QPoint tileOrigin;                    // where the frame lies in the client widget, as set
  // The shared frame.
  uchar* pixels = nullptr;
  size_t bytes = 0;
  QSize size;
  xcb_shm_seg_t segment = 0;
  xcb_pixmap_t pixmap = 0;
  // The request whose answer says the server has read what was presented last.
  bool readPending = false;
  xcb_get_input_focus_cookie_t read{};
};

SharedPresentState gShared;

xcb_window_t ClientWindow() { return xcb_window_t(gShared.client->winId()); }

// ---- Checks ---------------------------------------------------------------------------------

xcb_connection_t* X11Connection() {
  auto* x11 = qGuiApp != nullptr ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>()
                                 : nullptr;
  return x11 != nullptr ? x11->connection() : nullptr;
}

// Segments go to the server as file descriptors, which only a local socket carries: sending one
// over a network connection would break it.
bool IsLocalConnection(xcb_connection_t* c) {
  sockaddr_storage address{};
  socklen_t length = sizeof address;
  return getsockname(xcb_get_file_descriptor(c), reinterpret_cast<sockaddr*>(&address), &length) ==
             0 &&
         address.ss_family == AF_UNIX;
}

bool HasSharedSegments(xcb_connection_t* c) {
  if (!IsLocalConnection(c)) return false;
  const xcb_query_extension_reply_t* shm = xcb_get_extension_data(c, &xcb_shm_id);
  if (shm == nullptr || !shm->present) return false;
  xcb_shm_query_version_reply_t* v = xcb_shm_query_version_reply(c, xcb_shm_query_version(c), nullptr);
  if (v == nullptr) return false;
  const bool ok = v->shared_pixmaps &&
                  (v->major_version > ShmFdMajor ||
                   (v->major_version == ShmFdMajor && v->minor_version >= ShmFdMinor));
  std::free(v);
  return ok;
}

bool HasExtension(xcb_connection_t* c, const char* name) {
  xcb_query_extension_reply_t* r =
      xcb_query_extension_reply(c, xcb_query_extension(c, uint16_t(std::strlen(name)), name), nullptr);
  const bool present = r != nullptr && r->present;
  std::free(r);
  return present;
}

// The window's pixels are laid out as Format_RGB32 lays them out in memory: 32 bits a pixel,
// least significant byte first, red, green and blue in their bytes.
bool HasFramePixels(xcb_connection_t* c, xcb_window_t window, uint8_t* depth) {
  const xcb_setup_t* setup = xcb_get_setup(c);
  if (setup->image_byte_order != XCB_IMAGE_ORDER_LSB_FIRST) return false;
  xcb_get_window_attributes_reply_t* a =
      xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, window), nullptr);
  xcb_get_geometry_reply_t* g = xcb_get_geometry_reply(c, xcb_get_geometry(c, window), nullptr);
  bool ok = false;
  if (a != nullptr && g != nullptr) {
    *depth = g->depth;
    for (auto f = xcb_setup_pixmap_formats_iterator(setup); f.rem; xcb_format_next(&f))
      if (f.data->depth == g->depth) ok = f.data->bits_per_pixel == PixelBits;
    bool visualOk = false;
    for (auto s = xcb_setup_roots_iterator(setup); s.rem; xcb_screen_next(&s))
      for (auto d = xcb_screen_allowed_depths_iterator(s.data); d.rem; xcb_depth_next(&d))
        for (auto v = xcb_depth_visuals_iterator(d.data); v.rem; xcb_visualtype_next(&v))
          if (v.data->visual_id == a->visual)
            visualOk = v.data->_class == XCB_VISUAL_CLASS_TRUE_COLOR &&
                       v.data->red_mask == RedMask && v.data->green_mask == GreenMask &&
                       v.data->blue_mask == BlueMask;
    ok = ok && visualOk;
  }
  std::free(a);
  std::free(g);
  return ok;
}

// ---- The shared frame -----------------------------------------------------------------------

void AwaitRead() {
  SharedPresentState& p = gShared;
  if (!p.readPending) return;
  std::free(xcb_get_input_focus_reply(p.connection, p.read, nullptr));
  p.readPending = false;
}

void FreeFrame() {
  SharedPresentState& p = gShared;
  if (p.pixels == nullptr) return;
  // The server frees the pixmap after the requests sent before; it keeps its own mapping of the
  // segment until the detach.
  xcb_free_pixmap(p.connection, p.pixmap);
  xcb_shm_detach(p.connection, p.segment);
  xcb_flush(p.connection);
  munmap(p.pixels, p.bytes);
  p.pixels = nullptr;
  p.bytes = 0;
  p.size = QSize();
}

// A segment of the size, mapped here and in the server, and its pixmap; false when the server
// cannot map it (a remote server).
bool MakeFrame(QSize size) {
  SharedPresentState& p = gShared;
  const size_t bytes = size_t(size.width()) * size_t(size.height()) * PixelBytes;
  const int fd = memfd_create("pelmora-frame", MFD_CLOEXEC);
  if (fd < 0) return false;
  void* pixels = MAP_FAILED;
  if (ftruncate(fd, off_t(bytes)) == 0)
    pixels = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
  if (pixels == MAP_FAILED) {
    close(fd);
    return false;
  }
  const xcb_shm_seg_t segment = xcb_generate_id(p.connection);
  // xcb closes the descriptor once it is sent.
  xcb_generic_error_t* error = xcb_request_check(
      p.connection, xcb_shm_attach_fd_checked(p.connection, segment, fd, 0));
  if (error != nullptr) {
    std::free(error);
    munmap(pixels, bytes);
    return false;
  }
  p.pixels = static_cast<uchar*>(pixels);
  p.bytes = bytes;
  p.size = size;
  p.segment = segment;
  p.pixmap = xcb_generate_id(p.connection);
  xcb_shm_create_pixmap(p.connection, p.pixmap, ClientWindow(), uint16_t(size.width()),
                        uint16_t(size.height()), p.depth, segment, 0);
  const uint32_t tile[] = {p.pixmap};
  xcb_change_gc(p.connection, p.tileGc, XCB_GC_TILE, tile);
  return true;
}

void SetWidgetOnScreen(QWidget* widget, bool on) { widget->setAttribute(Qt::WA_PaintOnScreen, on); }

// A desktop that scales windows (QT_SCALE_FACTOR, a high Xft.dpi) gives them more pixels than the
// client area has: only Qt's backing store knows to scale the picture to them.
bool ShowsPixelForPixel(const QWidget* widget) { return widget->devicePixelRatioF() == 1.0; }

std::vector<xcb_rectangle_t> BoxesOf(const std::vector<QRect>& rects) {
  std::vector<xcb_rectangle_t> boxes;
  boxes.reserve(rects.size());
  for (const QRect& r : rects)
    boxes.push_back({int16_t(r.x()), int16_t(r.y()), uint16_t(r.width()), uint16_t(r.height())});
  return boxes;
}

}  // namespace

// ---- Starting and stopping ------------------------------------------------------------------

bool StartSharedPresent(int window) {
  SharedPresentState& p = gShared;
  StopSharedPresent();
  QWidget* client = WindowClientWidget(window);
  xcb_connection_t* c = X11Connection();
  if (client == nullptr || c == nullptr || !ShowsPixelForPixel(client) || !HasSharedSegments(c))
    return false;
  // The client gets a window of its own that Qt paints nothing into; with the frame around it
  // painting on screen too, Qt keeps no backing store for the window.
  client->setAttribute(Qt::WA_NativeWindow);
  SetWidgetOnScreen(client, true);
  SetWidgetOnScreen(client->window(), true);
  p.client = client;
  p.connection = c;
  if (!client->testAttribute(Qt::WA_PaintOnScreen) ||
      !client->window()->testAttribute(Qt::WA_PaintOnScreen) ||
      !HasFramePixels(c, ClientWindow(), &p.depth)) {
    SetWidgetOnScreen(client, false);
    SetWidgetOnScreen(client->window(), false);
    p = SharedPresentState{};
    return false;
  }
  p.window = window;
  p.copyEach = HasExtension(c, GpuExtension);
  p.copyGc = xcb_generate_id(c);
  const uint32_t copy[] = {BlackPixel, 0};
  xcb_create_gc(c, p.copyGc, ClientWindow(), XCB_GC_FOREGROUND | XCB_GC_GRAPHICS_EXPOSURES, copy);
  p.tileGc = xcb_generate_id(c);
  const uint32_t tiled[] = {XCB_FILL_STYLE_TILED, 0, 0, 0};
  xcb_create_gc(c, p.tileGc, ClientWindow(),
                XCB_GC_FILL_STYLE | XCB_GC_TILE_STIPPLE_ORIGIN_X | XCB_GC_TILE_STIPPLE_ORIGIN_Y |
                    XCB_GC_GRAPHICS_EXPOSURES,
                tiled);
  p.tileOrigin = QPoint();
  // A segment the server cannot map (a remote server) shows at once.
  if (!MakeFrame(QSize(1, 1))) {
    StopSharedPresent();
    return false;
  }
  client->update();
  return true;
}

void StopSharedPresent() {
  SharedPresentState& p = gShared;
  if (p.window < 0) return;
  AwaitRead();
  FreeFrame();
  xcb_free_gc(p.connection, p.copyGc);
  xcb_free_gc(p.connection, p.tileGc);
  xcb_flush(p.connection);
  if (p.client != nullptr) {
    SetWidgetOnScreen(p.client, false);
    SetWidgetOnScreen(p.client->window(), false);
    p.client->update();
  }
  p = SharedPresentState{};
}

bool IsSharedPresent(int window) {
  return window >= 0 && gShared.window == window && gShared.client != nullptr;
}

bool SharedPresentStillFits() {
  return gShared.client != nullptr && ShowsPixelForPixel(gShared.client);
}

// ---- The shared frame (public) --------------------------------------------------------------

QImage SharedFrameImage(QSize size) {
  SharedPresentState& p = gShared;
  if (!IsSharedPresent(p.window) || size.isEmpty()) return QImage();
  AwaitRead();
  if (p.size != size) {
    FreeFrame();
    if (!MakeFrame(size)) return QImage();
  }
  return QImage(p.pixels, size.width(), size.height(), size.width() * PixelBytes,
                QImage::Format_RGB32);
}

void AwaitSharedFrameRead() { AwaitRead(); }

// ---- Presenting -----------------------------------------------------------------------------

void PresentSharedRects(const std::vector<QRect>& rects, QPoint frameAt) {
  SharedPresentState& p = gShared;
  if (!IsSharedPresent(p.window) || p.pixels == nullptr || rects.empty()) return;
  const std::vector<xcb_rectangle_t> boxes = BoxesOf(rects);
  const xcb_window_t window = ClientWindow();
  if (p.copyEach) {
    for (const xcb_rectangle_t& b : boxes)
      xcb_copy_area(p.connection, p.pixmap, window, p.copyGc, int16_t(b.x - frameAt.x()),
                    int16_t(b.y - frameAt.y()), b.x, b.y, b.width, b.height);
  } else {
    if (frameAt != p.tileOrigin) {
      const uint32_t origin[] = {uint32_t(frameAt.x()), uint32_t(frameAt.y())};
      xcb_change_gc(p.connection, p.tileGc,
                    XCB_GC_TILE_STIPPLE_ORIGIN_X | XCB_GC_TILE_STIPPLE_ORIGIN_Y, origin);
      p.tileOrigin = frameAt;
    }
    xcb_poly_fill_rectangle(p.connection, window, p.tileGc, uint32_t(boxes.size()), boxes.data());
  }
  // The answer to this request comes after the server has read the fills before it too.
  if (p.readPending) xcb_discard_reply(p.connection, p.read.sequence);
  p.read = xcb_get_input_focus(p.connection);
  p.readPending = true;
  xcb_flush(p.connection);
}

void FillSharedRects(const std::vector<QRect>& rects) {
  SharedPresentState& p = gShared;
  if (!IsSharedPresent(p.window) || rects.empty()) return;
  const std::vector<xcb_rectangle_t> boxes = BoxesOf(rects);
  xcb_poly_fill_rectangle(p.connection, ClientWindow(), p.copyGc, uint32_t(boxes.size()),
                          boxes.data());
  xcb_flush(p.connection);
}

// ---- Reading back ---------------------------------------------------------------------------

QImage ReadSharedWindow(const QRect& rect) {
  SharedPresentState& p = gShared;
  if (!IsSharedPresent(p.window) || rect.isEmpty()) return QImage();
  xcb_get_image_reply_t* r = xcb_get_image_reply(
      p.connection,
      xcb_get_image(p.connection, XCB_IMAGE_FORMAT_Z_PIXMAP, ClientWindow(), int16_t(rect.x()),
                    int16_t(rect.y()), uint16_t(rect.width()), uint16_t(rect.height()), ~0u),
      nullptr);
  if (r == nullptr) return QImage();
  QImage image(rect.size(), QImage::Format_RGB32);
  const size_t rowBytes = size_t(rect.width()) * PixelBytes;
  const uint8_t* data = xcb_get_image_data(r);
  if (size_t(xcb_get_image_data_length(r)) < rowBytes * size_t(rect.height())) {
    std::free(r);
    return QImage();
  }
  for (int y = 0; y < rect.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    std::memcpy(row, data + size_t(y) * rowBytes, rowBytes);
    // The server leaves the unused byte as it likes.
    for (int x = 0; x < rect.width(); ++x) row[x] |= OpaqueAlpha;
  }
  std::free(r);
  return image;
}
