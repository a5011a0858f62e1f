# The commands a newcomer needs. Each one first installs what the machine lacks: the game's
# packages for playing and installing, and the tests' packages besides for the rest.
BUILD ?= build
ASAN_BUILD ?= build-asan
MINUTES ?= 10
PREFIX ?= /usr/local
CMAKE_FLAGS := -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX=$(PREFIX)
ifeq ($(CI),true)
CMAKE_FLAGS += -DQUICKSTACK_WERROR=ON
endif
WITH_TESTS := -DBUILD_TESTING=ON -DQUICKSTACK_BENCHMARKS=ON

.PHONY: run test build game asan deps test-deps install bench measure soak deb check-clean \
	format format-check clean

run: game
	$(BUILD)/app/quickstack

test: build asan
	ctest --test-dir $(BUILD) --output-on-failure -j 2
	ctest --test-dir $(ASAN_BUILD) --output-on-failure -j 2 -L unit

# Everything, tests and benchmarks included; a build made for playing gets them added.
build: test-deps
	@grep -qx 'BUILD_TESTING:BOOL=ON' $(BUILD)/CMakeCache.txt 2>/dev/null && \
		grep -qx 'QUICKSTACK_BENCHMARKS:BOOL=ON' $(BUILD)/CMakeCache.txt || \
		cmake -S . -B $(BUILD) $(CMAKE_FLAGS) $(WITH_TESTS)
	cmake --build $(BUILD)

# The game alone, which needs none of the tests' packages. A build that already has the
# tests keeps them.
game: deps
	@[ -f $(BUILD)/build.ninja ] || \
		cmake -S . -B $(BUILD) $(CMAKE_FLAGS) -DBUILD_TESTING=OFF -DQUICKSTACK_BENCHMARKS=OFF
	cmake --build $(BUILD) --target quickstack

# The unit tests once more under AddressSanitizer and UBSan: the first fault fails them.
# Unoptimised, since the sanitizers make optimising builds three times slower.
asan: test-deps
	@[ -f $(ASAN_BUILD)/build.ninja ] || cmake -S . -B $(ASAN_BUILD) $(CMAKE_FLAGS) \
		-DCMAKE_BUILD_TYPE=Debug -DQUICKSTACK_SANITIZE=ON -DQUICKSTACK_BENCHMARKS=OFF
	cmake --build $(ASAN_BUILD) --target unit_tests

# Both soaks for MINUTES each, side by side: the sanitized games in-process, the real binary
# under Xvfb.
soak: build asan
	QUICKSTACK_SOAK_SECONDS=$$(($(MINUTES) * 60)) $(ASAN_BUILD)/tests/soak_tests & games=$$!; \
	SOAK_SECONDS=$$(($(MINUTES) * 60)) QUICKSTACK=$(BUILD)/app/quickstack \
		NEAR_TARGET=$(BUILD)/tests/quickstack_near_target tests/e2e/soak_test.sh; e2e=$$?; \
	wait $$games && [ $$e2e = 0 ]

deps:
	@scripts/install-deps game

test-deps:
	@scripts/install-deps test

install: game
	cmake --install $(BUILD) --prefix $(PREFIX)

bench: build
	cmake --build $(BUILD) --target benchmarks

measure: bench
	scripts/measure $(BUILD)

# quickstack_<version>_<arch>.deb in $(BUILD)/deb, built by dpkg-buildpackage from a clean
# copy of the tree, its unit tests run unless DEB_BUILD_OPTIONS=nocheck.
deb:
	@scripts/install-deps deb
	rm -rf $(BUILD)/deb
	scripts/build-deb $(BUILD)/deb

# The README's commands on a bare Debian 12, in chroots laid by mmdebstrap (as root).
check-clean:
	@scripts/install-deps clean
	$(if $(filter 0,$(shell id -u)),,sudo) scripts/check-clean-machine $(BUILD)/clean-machine

format: test-deps
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

format-check: test-deps
	git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
