// Descriptor copies that share their file, as dup and dup2 make them on a
// desktop. Under Node with the machine's own files, Emscripten's dup opens
// the file again by its name, which standard output does not have: a test
// that captures standard output (GoogleTest's CaptureStdout) and gives it
// back would lose it for the rest of the program. Here a copy is another
// descriptor of the same open file, which stays open until the last of its
// descriptors is closed.
mergeInto(LibraryManager.library, {
  $SharedDescriptors__deps: ['$FS'],
  $SharedDescriptors: {
    users: {},
    closeWrapped: false,
    // Closing a descriptor closes the file only when no copy is left.
    wrapClose: function () {
      if (SharedDescriptors.closeWrapped) {
        return;
      }
      SharedDescriptors.closeWrapped = true;
      var close = FS.close;
      FS.close = function (stream) {
        var users = SharedDescriptors.users;
        if (stream.nfd !== undefined && users[stream.nfd] > 1) {
          users[stream.nfd]--;
          FS.closeStream(stream.fd);
          return;
        }
        if (stream.nfd !== undefined) {
          delete users[stream.nfd];
        }
        return close(stream);
      };
    },
    // The new descriptor: the lowest free one, or `target` (closed first).
    copy: function (fd, target) {
      var old = FS.getStream(fd);
      if (!old) {
        return -{{{ cDefine('EBADF') }}};
      }
      SharedDescriptors.wrapClose();
      if (target !== undefined) {
        if (target === fd) {
          return fd;
        }
        var there = FS.getStream(target);
        if (there) {
          FS.close(there);
        }
      }
      var copy = Object.assign({}, old);
      var made = target === undefined ? FS.createStream(copy) : FS.createStream(copy, target, target);
      if (old.nfd !== undefined) {
        SharedDescriptors.users[old.nfd] = (SharedDescriptors.users[old.nfd] || 1) + 1;
      }
      return made.fd;
    },
  },
  __syscall_dup__deps: ['$SharedDescriptors'],
  __syscall_dup: function (fd) {
    return SharedDescriptors.copy(fd);
  },
  __syscall_dup3__deps: ['$SharedDescriptors'],
  __syscall_dup3: function (fd, target, flags) {
    if (fd === target) {
      return -{{{ cDefine('EINVAL') }}};
    }
    return SharedDescriptors.copy(fd, target);
  },
});
