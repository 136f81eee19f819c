# The two commands of the README: `make run` and `make test`.
MAKEFLAGS += --no-print-directory
BUILD_DIR ?= build
SANITIZE_DIR ?= build-asan
FUZZ_DIR ?= build-fuzz
JOBS ?= $(shell nproc)
FUZZ_SECONDS ?= 300
# `make install` puts the programs under PREFIX (below DESTDIR when set).
PREFIX ?= /usr/local
DESTDIR ?=

.PHONY: all deps configure build run test test-main test-sanitize reliability bench bench-peers fuzz format clean \
	install uninstall package

all: build

deps:
	@./scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=Release -DQUARNO_WERROR=ON > /dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	@./scripts/run-ide.sh $(BUILD_DIR)

test: test-main test-sanitize

test-main: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

# The core and quarno-tool again under AddressSanitizer and UBSan.
test-sanitize: deps
	@cmake -S . -B $(SANITIZE_DIR) -DCMAKE_BUILD_TYPE=Debug -DQUARNO_CORE_ONLY=ON \
	    -DQUARNO_SANITIZE=ON -DQUARNO_WERROR=ON > /dev/null
	@cmake --build $(SANITIZE_DIR) -j $(JOBS)
	cd $(SANITIZE_DIR) && ctest --output-on-failure -j $(JOBS) -L 'core|cli'

# Crash consistency at length: 1000 saves killed at random moments (`make test`
# kills 200).
reliability: build
	cd $(BUILD_DIR) && QUARNO_CRASH_SAVES=1000 ctest --output-on-failure -R 'SaveCrash'

# The list of installed files is kept apart from CMake's manifest, which every
# install (the tests' and CPack's too) rewrites, and names them below DESTDIR.
install: build
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD_DIR) --prefix "$(PREFIX)"
	@sed 's|^|$(DESTDIR)|' $(BUILD_DIR)/install_manifest.txt > $(BUILD_DIR)/installed-files.txt
	@[ -n "$(DESTDIR)" ] || ./scripts/refresh-desktop.sh "$(PREFIX)"

uninstall:
	@./scripts/uninstall.sh $(BUILD_DIR)/installed-files.txt
	@[ -n "$(DESTDIR)" ] || ./scripts/refresh-desktop.sh "$(PREFIX)"

# A .deb of the installed files under /usr, written to $(BUILD_DIR).
package: build
	cd $(BUILD_DIR) && cpack -G DEB

bench: build
	@for b in $(BUILD_DIR)/bench/Bench*; do echo "== $$b"; $$b; done

# Our figures next to the peers' on the same corpus files (see bench/peers/run.sh).
bench-peers: build
	BUILD_DIR=$(BUILD_DIR) sh bench/peers/run.sh

# Runs every libFuzzer harness (or those named in FUZZERS) for FUZZ_SECONDS
# each under ASan and UBSan (clang); fuzz/README.md keeps the tally.
fuzz: deps
	@CC=clang CXX=clang++ cmake -S . -B $(FUZZ_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	    -DQUARNO_CORE_ONLY=ON -DQUARNO_SANITIZE=ON -DQUARNO_FUZZ=ON -DQUARNO_BENCH=OFF > /dev/null
	@cmake --build $(FUZZ_DIR) -j $(JOBS)
	@./scripts/run-fuzzers.sh $(FUZZ_DIR) $(FUZZ_SECONDS) $(FUZZERS)

format:
	@find src tools tests bench fuzz -name '*.cpp' -o -name '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR) $(FUZZ_DIR)
