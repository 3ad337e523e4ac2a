// render_scene OUT.png [clock=MS] [modes=WxH,...] [hover=CONTROL|none]
//                      [press=CONTROL] [knob=KNOB:POSITION] [ticks=N] [seed=N] ...
// Starts the setup window headless over the shipped skin, plays the steps in
// order and writes the frame the next repaint would show.

#include <cstdio>
#include <string>
#include <vector>

#include "png_file.h"
#include "render_session.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr,
                 "usage: %s OUT.png [clock=MS] [modes=WxH,...] [hover=CONTROL|none] [press=CONTROL]\n"
                 "       [knob=KNOB:POSITION] [ticks=N] [seed=N] ...\n"
                 "controls: quit launch low medium high flip next previous resolution general voice sfx cd\n",
                 argv[0]);
    return 2;
  }
  orv::render::RenderScript script;
  if (auto error = orv::render::parseRenderArgs(std::vector<std::string>(argv + 2, argv + argc), script)) {
    std::fprintf(stderr, "render_scene: %s\n", error->c_str());
    return 2;
  }
  orv::render::RenderSession session(script);
  session.run(script.steps);
  const orv::Surface& frame = session.frame();
  if (!orv::render::writePng(argv[1], frame, session.scene().hitMap)) {
    std::fprintf(stderr, "render_scene: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
