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
            qt6-base-dev qt6-image-formats-plugins libqt6opengl6-dev qt6-charts-dev \
            libfluidsynth-dev timgm6mb-soundfont fluid-soundfont-gm fonts-noto-cjk \
            xvfb xauth xdotool \
            dpkg-dev desktop-file-utils appstream groff-base

SUDO := $(shell [ "$$(id -u)" = "0" ] || echo sudo)

.PHONY: all deps build test play demo clean install package test-asan soak fuzz fuzz-deps mutants

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
	./$(BUILD)/teijinki-sim --dir $(GAME_DIR) --scenario 1 --players 1 --seed 1

clean:
	rm -rf $(BUILD)

# The programs, the data, the desktop and AppStream entries, the icons and the man pages under
# $(PREFIX); DESTDIR is honoured (make install PREFIX=/usr DESTDIR=/tmp/pkg).
install: build
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix "$(PREFIX)"

# The Debian package of the same files, $(BUILD)/teijinki_<version>_<arch>.deb:
#   sudo apt install ./$(BUILD)/teijinki_*.deb
package: build
	cd $(BUILD) && cpack -G DEB

# --- Proof under load: sanitizers, soak, fuzzing ---------------------------------------------

ASAN_BUILD      ?= build-asan
ASAN_SOAK_GAMES ?= 60
SOAK_GAMES      ?= 10000
SOAK_SEED       ?= 1
FUZZ_BUILD      ?= build-fuzz
FUZZ_SECONDS    ?= 60
FUZZ_PACKAGES   := clang-14 libclang-rt-14-dev
SANITIZER_ENV   := ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

# Every test and a seeded soak under AddressSanitizer and UBSan; the desktop program is left out.
test-asan: deps
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTEIJINKI_SANITIZE=ON -DTEIJINKI_BUILD_DESKTOP=OFF
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && $(SANITIZER_ENV) ctest --output-on-failure -j $(JOBS)
	$(SANITIZER_ENV) ./$(ASAN_BUILD)/bench/soak $(ASAN_SOAK_GAMES) $(SOAK_SEED)

# SOAK_GAMES seeded whole games over all scenarios, the invariants checked after every year.
soak: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS) --target soak
	./$(BUILD)/bench/soak $(SOAK_GAMES) $(SOAK_SEED)

fuzz-deps:
	@missing=""; for p in $(FUZZ_PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  $(SUDO) apt-get update && DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y --no-install-recommends $$missing; \
	fi

# Each libFuzzer target for FUZZ_SECONDS, starting from its seed corpus in fuzz/corpus/<name>;
# new inputs go to fuzz/corpus-run/ (not kept), crashes to $(FUZZ_BUILD)/crashes/.
FUZZ_TARGETS := fuzz_list_reader fuzz_records fuzz_templates fuzz_slot_file fuzz_comments
fuzz: deps fuzz-deps
	CC=clang-14 CXX=clang++-14 cmake -S fuzz -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(FUZZ_BUILD) -j $(JOBS)
	@mkdir -p $(FUZZ_BUILD)/crashes
	@set -e; for t in $(FUZZ_TARGETS); do \
	  mkdir -p fuzz/corpus-run/$$t; \
	  echo "== $$t ($(FUZZ_SECONDS) s)"; \
	  ./$(FUZZ_BUILD)/$$t -max_total_time=$(FUZZ_SECONDS) -max_len=8192 -timeout=10 -rss_limit_mb=2048 \
	    -artifact_prefix=$(FUZZ_BUILD)/crashes/$$t- -print_final_stats=1 \
	    fuzz/corpus-run/$$t fuzz/corpus/$$t 2>&1 | grep -E "^(#[0-9]+ +DONE|==[0-9]+==|SUMMARY|stat::number_of_executed_units|artifact_prefix|Test unit written)" || true; \
	  if ls $(FUZZ_BUILD)/crashes/$$t-* >/dev/null 2>&1; then echo "$$t: crash inputs in $(FUZZ_BUILD)/crashes"; exit 1; fi; \
	done

# --- How sharp the tests are: a seeded sample of one-line faults in the rules library ----------

MUTANTS        ?= 200
SEED           ?= 1
MUTANTS_BUILD  ?= build-mutants
MUTANTS_BUDGET ?= 180

# MUTANTS one-line mutants of the rules library, each built in a scratch copy under
# $(MUTANTS_BUILD) and run against the rules tests; prints the survivors and the share killed.
# At most MUTANTS_BUDGET minutes; nice, since it keeps the cores busy for a long time.
mutants: deps
	nice -n 10 python3 tools/mutants/mutants.py --mutants $(MUTANTS) --seed $(SEED) \
	  --work $(MUTANTS_BUILD) --jobs $(JOBS) --budget $(MUTANTS_BUDGET)
