# Korvid: the two set-up commands are `make run` and `make test`.
BUILD ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

# Debian packages the game, its pack generator and its tests need.
PACKAGES := cmake g++ make pkg-config \
  libsdl2-dev libsdl2-image-dev libepoxy-dev libsndfile1-dev libzip-dev \
  libfreetype-dev libfontconfig-dev zlib1g-dev \
  libgl1-mesa-dri libegl-mesa0 libegl1 libgles2 \
  googletest libgtest-dev libbenchmark-dev \
  zip unzip fonts-arphic-uming fonts-wqy-zenhei fonts-wqy-microhei \
  nlohmann-json3-dev libcli11-dev desktop-file-utils
FUZZ_PACKAGES := clang-14 libclang-rt-14-dev
E2E_PACKAGES := xvfb xauth xdotool

.PHONY: deps configure build pack run test bench fuzz sanitize e2e install clean autopilot-check

deps:
	@PKGS="$(PACKAGES) $(EXTRA_PACKAGES)" sh tools/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) >/dev/null

build: configure
	cmake --build $(BUILD) -j$(JOBS) --target korvid

pack: configure
	cmake --build $(BUILD) -j$(JOBS) --target pack

run: build pack
	./$(BUILD)/korvid $(ARGS)

# Tests also run each file reader's fuzzer for a few seconds (clang), then
# the golden replays under the sanitizer build (make sanitize; about a third
# more time; SANITIZE=no leaves it out).
SANITIZE ?= yes
test: EXTRA_PACKAGES += $(FUZZ_PACKAGES)
test: configure
	cmake --build $(BUILD) -j$(JOBS)
	cd $(BUILD) && ctest --output-on-failure -j$(JOBS)
	@if [ "$(SANITIZE)" != no ]; then $(MAKE) --no-print-directory sanitize; fi

# Installs the game, its stand-in pack, the shipped settings, a desktop entry
# and its icon under PREFIX (default /usr/local).
PREFIX ?= /usr/local
install: configure
	cmake --build $(BUILD) -j$(JOBS) --target korvid pack icon
	cmake --install $(BUILD) --prefix $(PREFIX)

bench: configure
	cmake --build $(BUILD) -j$(JOBS) --target korvid_bench
	./$(BUILD)/korvid_bench

# The autopilot plays each built stage on every difficulty and prints the
# lives lost and bombs used per pattern (slow: tens of minutes on one core;
# STAGES, DIFFICULTIES, CHARACTERS and FRAMES narrow it, see the script).
autopilot-check: build pack
	JOBS=$(JOBS) bash tools/autopilot-check.sh $(BUILD)/korvid

e2e:
	@$(MAKE) --no-print-directory EXTRA_PACKAGES="$(E2E_PACKAGES)" build pack
	bash tools/e2e.sh $(BUILD)

# The game and its pack built with AddressSanitizer and UBSan in a folder of
# their own, then every golden replay played under them: any report fails.
SANITIZE_BUILD ?= $(BUILD)-sanitize
sanitize: deps
	@cmake -S . -B $(SANITIZE_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVID_SANITIZE=ON >/dev/null
	cmake --build $(SANITIZE_BUILD) -j$(JOBS) --target korvid pack
	bash tools/play-goldens.sh $(SANITIZE_BUILD)/korvid

fuzz:
	@PKGS="$(PACKAGES) $(FUZZ_PACKAGES)" sh tools/install-deps.sh
	bash tools/run-fuzzers.sh $(BUILD)/fuzz $(or $(SECONDS),60)

clean:
	rm -rf $(BUILD) $(BUILD)-fuzz $(SANITIZE_BUILD)
