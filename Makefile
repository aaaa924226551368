# The two set-up commands of the README, and the steps they are made of.
.PHONY: all deps build run test sanitize fuzz bench deb web-deps web test-web windows-deps windows \
	test-windows clean

# Where the checks build; the presets' directories unless given on the command line.
SANITIZE_DIR ?= build-sanitize
FUZZ_DIR ?= build-fuzz
# Seconds the fuzzer runs in `make fuzz`.
FUZZ_SECONDS ?= 60
# Where `make deb` leaves the Debian package.
DEB_DIR ?= build-deb

all: build

deps:
	@scripts/install-deps

build: deps
	@cmake --preset default >/dev/null
	@cmake --build --preset default

run: build
	./build/zentor

test: build
	ctest --preset default

# Everything built with AddressSanitizer and UndefinedBehaviorSanitizer, and every test run.
sanitize: deps
	@cmake --preset sanitize -B $(SANITIZE_DIR) >/dev/null
	@cmake --build $(SANITIZE_DIR) -j2
	ctest --preset sanitize --test-dir $(SANITIZE_DIR)

# The replay fuzzer for FUZZ_SECONDS: new inputs land in fuzz/corpus-work, failing inputs in
# $(FUZZ_DIR)/findings.
fuzz: deps
	@cmake --preset fuzz -B $(FUZZ_DIR) >/dev/null
	@cmake --build $(FUZZ_DIR) -j2 --target zentor-fuzz
	@mkdir -p fuzz/corpus-work $(FUZZ_DIR)/findings
	$(FUZZ_DIR)/zentor-fuzz -max_total_time=$(FUZZ_SECONDS) -timeout=20 -rss_limit_mb=2048 \
	  -dict=fuzz/replay.dict -artifact_prefix=$(FUZZ_DIR)/findings/ fuzz/corpus-work fuzz/corpus

bench: build
	./build/zentor-bench

# The Debian package, built in a copy of the sources (the files git tracks or would track) inside
# DEB_DIR: dpkg-buildpackage writes the package beside the tree it builds, which is then DEB_DIR
# rather than the directory above the repository.
deb: deps
	@rm -rf $(DEB_DIR) && mkdir -p $(DEB_DIR)/zentor
	@git ls-files -z --cached --others --exclude-standard | \
	  xargs -0 sh -c 'for f; do [ -e "$$f" ] && printf "%s\0" "$$f"; done' sh | \
	  tar -c --null -T - | tar -x -C $(DEB_DIR)/zentor
	cd $(DEB_DIR)/zentor && DEB_BUILD_OPTIONS="parallel=2 $(DEB_BUILD_OPTIONS)" dpkg-buildpackage -b -us -uc
	@rm -rf $(DEB_DIR)/zentor
	@ls $(DEB_DIR)/*.deb

# The browser build in build-web/: the libraries it links, built once from Debian's sources into
# build-web/deps, then the game's page in build-web/site, and the tests that run under node.
web-deps:
	@scripts/install-deps --web
	@scripts/build-deps web

web: web-deps
	@cmake --preset web >/dev/null
	@cmake --build --preset web

# The page's tests in Chromium, Firefox and WebKit also need their drivers from npm's registry, as
# the lock file pins them, and the desktop build's zentor-replay, which draws the pictures the page
# must show.
WEB_TEST_MODULES = tests/web/node_modules/.package-lock.json

$(WEB_TEST_MODULES): tests/web/package.json tests/web/package-lock.json | web-deps
	cd tests/web && npm ci --no-audit --no-fund

test-web: web $(WEB_TEST_MODULES)
	@cmake --preset default >/dev/null
	@cmake --build --preset default --target zentor-replay
	ctest --preset web

# The Windows build in build-windows/: the libraries it links, built once from Debian's sources
# into build-windows/deps, then zentor.exe, zentor-replay.exe and the zip that holds them.
windows-deps:
	@scripts/install-deps --windows
	@scripts/build-deps windows

windows: windows-deps
	@cmake --preset windows >/dev/null
	@cmake --build --preset windows

# The Windows build's tests under Wine; the Linux build's programs are what they must equal.
test-windows: windows
	@cmake --preset default >/dev/null
	@cmake --build --preset default --target zentor zentor-replay
	ctest --preset windows

clean:
	rm -rf build build-sanitize build-fuzz build-web build-windows $(DEB_DIR) tests/web/node_modules
