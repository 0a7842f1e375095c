# libcurl for the Windows target, built once per build tree from Debian's curl source package
# (fetched by tools/install-deps.sh): static, Schannel for TLS, SMTP as its only protocol.
include(ExternalProject)

set(GLIMMERA_CURL_SOURCE ${CMAKE_SOURCE_DIR}/build/deps/curl/source
    CACHE PATH "Unpacked curl source package (tools/fetch-source-package.sh curl build/deps/curl)")
if(NOT EXISTS ${GLIMMERA_CURL_SOURCE}/CMakeLists.txt)
  message(FATAL_ERROR "No curl source in ${GLIMMERA_CURL_SOURCE}: run tools/install-deps.sh")
endif()

set(curl_prefix ${CMAKE_BINARY_DIR}/curl)
set(curl_library ${curl_prefix}/lib/libcurl.a)
set(curl_disabled)
foreach(protocol LDAP LDAPS FTP TELNET DICT FILE TFTP RTSP POP3 IMAP GOPHER MQTT SMB)
  list(APPEND curl_disabled -DCURL_DISABLE_${protocol}=ON)
endforeach()
ExternalProject_Add(curl_build
  SOURCE_DIR ${GLIMMERA_CURL_SOURCE}
  BINARY_DIR ${CMAKE_BINARY_DIR}/curl-build
  INSTALL_DIR ${curl_prefix}
  CMAKE_ARGS
    -DCMAKE_TOOLCHAIN_FILE=${CMAKE_TOOLCHAIN_FILE}
    -DCMAKE_INSTALL_PREFIX=<INSTALL_DIR>
    -DCMAKE_BUILD_TYPE=Release
    -DBUILD_SHARED_LIBS=OFF -DBUILD_CURL_EXE=OFF -DBUILD_TESTING=OFF -DENABLE_MANUAL=OFF
    -DCURL_USE_SCHANNEL=ON -DCURL_USE_OPENSSL=OFF -DCURL_ZLIB=OFF -DUSE_LIBIDN2=OFF
    -DCURL_USE_LIBSSH2=OFF -DCURL_USE_LIBPSL=OFF -DENABLE_UNIX_SOCKETS=OFF
    ${curl_disabled}
  BUILD_BYPRODUCTS ${curl_library})

file(MAKE_DIRECTORY ${curl_prefix}/include)
add_library(glimmera_curl STATIC IMPORTED GLOBAL)
set_target_properties(glimmera_curl PROPERTIES
  IMPORTED_LOCATION ${curl_library}
  INTERFACE_INCLUDE_DIRECTORIES ${curl_prefix}/include
  INTERFACE_COMPILE_DEFINITIONS CURL_STATICLIB
  INTERFACE_LINK_LIBRARIES "ws2_32;crypt32;bcrypt;secur32;normaliz;advapi32")
add_dependencies(glimmera_curl curl_build)
