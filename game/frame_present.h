// What happens once per rendered frame: the virtual screen is fitted to the
// device, the display list is replayed on it, the frame is counted for the
// frame rate and a new device size is noticed (c_MyApp::p_OnRender in
// frame_present.cpp). Here are the fit and its mapping both ways, which
// pointers use too.
#pragma once

// Where the virtual screen lies on the device: its units times the scale,
// moved in by the overscan border.
struct ViewMapping {
  float scale = 1;
  float offX = 0, offY = 0;

  struct Point {
    float x, y;
  };
  Point ToDevice(float x, float y) const { return {x * scale + offX, y * scale + offY}; }
  Point SizeOnDevice(float w, float h) const { return {w * scale, h * scale}; }
  Point ToVirtual(float x, float y) const {
    // A zero-sized window fits at scale 0; positions then stay in device
    // units rather than becoming infinite.
    float s = scale > 0 ? scale : 1;
    return {(x - offX) / s, (y - offY) / s};
  }
};

// How the design size fits a device: mode 1 when the width governs, 2 when the
// height does; the virtual screen keeps the device's aspect ratio.
struct ViewFit {
  int mode = 1;
  float virtualW = 640, virtualH = 480;
  ViewMapping view;
};

ViewFit FitVirtualScreen(float deviceW, float deviceH, float overscan, float designW, float designH);
