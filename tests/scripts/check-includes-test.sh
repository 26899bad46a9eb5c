#!/usr/bin/env bash
# The include check on small source trees: each row is a file, a line in it
# and whether the check must refuse the tree holding just that file.
set -uo pipefail
check=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

failures=0
row() { # path line expected(pass|fail)
  rm -rf "$tmp/tree" && mkdir -p "$tmp/tree/$(dirname "$1")"
  printf '%s\n' "$2" >"$tmp/tree/$1"
  if bash "$check" "$tmp/tree" 2>/dev/null; then got=pass; else got=fail; fi
  if [[ $got != "$3" ]]; then
    echo "FAIL: $1 with '$2': expected $3, got $got"
    failures=$((failures + 1))
  fi
}

row app/MainView.cpp '#include <GL/gl.h>' fail
row app/Other.h '  #  include "GLFW/glfw3.h"' fail
row lib/Game/GameManager.cpp '#include <GL/glew.h>' fail
row lib/Game/GAME_MAIN '#include <GLFW/glfw3.h>' fail
row lib/Render/RenderHelper.cpp '#include <OpenGL/gl.h>' fail
row lib/Render/OGL/Controller.cpp '#include <GLFW/glfw3.h>' fail
row lib/Render/OGL/Controller.cpp '#include <GL/glew.h>' pass
row lib/Game/GLFWApp.cpp '#include <GL/glew.h>' pass
row lib/Game/GLFW/GLFW27Keys.cpp '#include <GLFW/glfw3.h>' pass
row lib/Game/GLFW27Keys.cpp '#include <GLFW/glfw3.h>' fail
row lib/Game/GLFW/GLFWPlatform.cpp '#include "Render/OGL/Controller.h"' pass
row lib/Game/Headless/HeadlessApp.cpp '// uses GL/gl.h nowhere' pass
row lib/Game/Headless/HeadlessApp.cpp '#include <GLES2/gl2.h>' fail
row lib/Render/Headless/HeadlessRenderController.cpp '#include <GL/gl.h>' fail
row app/match/Match.cpp '#include "CFG/CFG.h"' fail
row app/players/GridSearch.h '  # include <Game/GameManager.h>' fail
row app/replay/Replay.cpp '#include "Events/EventBus.h"' fail
row app/online/ClientSession.cpp '#include "Game/GameManager.h"' fail
row app/bots/BotOptions.cpp '#include "CFG/CFG.h"' fail
row app/match/MatchSettings.cpp '#include "CFG/CFG.h"' fail
row app/match/Match.cpp '#include "Random/RandSimple.h"' pass
row app/input/MatchSettings.cpp '#include "CFG/CFG.h"' pass
row app/onlinegame/OnlineLogic.cpp '#include "Game/GameManager.h"' pass
row app/MainLogic.cpp '#include "Devices/Devices.h"' pass

[[ $failures -eq 0 ]] && echo "all rows passed"
exit $((failures != 0))
