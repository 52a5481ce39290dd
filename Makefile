# teijinki — the two commands that set everything up on a fresh Debian machine:
#   make play   installs what is missing, builds and starts the game
#   make test   the same, then runs every test

BUILD    ?= build
JOBS     ?= $(shell nproc 2>/dev/null || echo 2)
PREFIX   ?= /usr/local
GAME_DIR ?= game

# Debian packages the project needs to build, test and play.
PACKAGES := build-essential cmake ninja-build pkg-config python3 \
            libgtest-dev libgmock-dev nlohmann-json3-dev \
            qt6-base-dev qt6-image-formats-plugins libqt6opengl6-dev \
            libfluidsynth-dev fluid-soundfont-gm fonts-noto-cjk \
            xvfb xauth

SUDO := $(shell [ "$$(id -u)" = "0" ] || echo sudo)

.PHONY: all deps build test play demo clean install

all: build

# Installs only what is missing, so a prepared machine skips apt entirely.
deps:
	@missing=""; for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  $(SUDO) apt-get update && DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y --no-install-recommends $$missing; \
	fi

$(BUILD)/build.ninja: CMakeLists.txt
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

play: build
	./$(BUILD)/teijinki

demo: build
	./$(BUILD)/teijinki-sim --dir $(GAME_DIR) --scenario 1 --seed 1

clean:
	rm -rf $(BUILD)
